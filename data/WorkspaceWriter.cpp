#include "data/WorkspaceWriter.h"

#include "data/CommentsLine.h"
#include "data/Cp1252.h"
#include "data/SafeFile.h"
#include "data/WorkspaceCodecs.h"

#include <algorithm>
#include <string_view>

namespace {

// The file's bytes, written straight in Windows-1252 as the tree is visited.
class TWorkspaceEncoder {
public:
    // With a writer, the bytes go to it part by part as blocks fill a part,
    // instead of being held whole.
    explicit TWorkspaceEncoder(QChar decimalSeparator, const TWritePart* writer = nullptr)
        : FSeparator(decimalSeparator == u',' ? u',' : u'.')
        , FWriter(writer) {}

    // After each block. False once the writer failed.
    bool EndBlock() {
        if (FWriter && FBytes.size() >= kPartSize)
            return Send();
        return FWritten;
    }

    bool Send() {
        FWritten = FWritten && (*FWriter)(FBytes);
        FBytes.resize(0); // keeps its room for the next part
        return FWritten;
    }

    // Text is put in place at once, key and value together: the bytes grow
    // by millions of short pieces.
    void Put(std::string_view ascii) {
        const qsizetype start = FBytes.size();
        FBytes.resize(start + qsizetype(ascii.size()));
        std::copy(ascii.begin(), ascii.end(), FBytes.data() + start);
    }

    void Line(std::string_view ascii) { Entry(ascii, {}); }

    void Entry(std::string_view key, QStringView value) {
        const qsizetype start = FBytes.size();
        FBytes.resize(start + qsizetype(key.size()) + value.size() + 2);
        char* dest = std::copy(key.begin(), key.end(), FBytes.data() + start);
        dest = Cp1252::EncodeInto(dest, value);
        dest[0] = '\r';
        dest[1] = '\n';
    }

    void ListEntry(std::string_view key, const QStringList& lines) {
        Put(key);
        AppendList(FBytes, lines);
        Put("\r\n");
    }

    void ClassBlock(const TPData& record) {
        Put("\r\n[Class]\r\n");
        Entry("ClassName=", record.ClassName());
        ListEntry("Matters=", record.Lines());
    }

    void PupilBlock(const TPData& record) {
        Put("\r\n[Pupil]\r\n");
        Entry("Surname=", record.Surname());
        Entry("Name=", record.Name());
        Entry("BirthDay=", record.BirthDay());
        Entry("Class=", record.ClassName());
        Entry("Sexe=", record.Sexe());
        Put("Levels=");
        AppendLevels(FBytes, record, FSeparator);
        Put("\r\n");
        ListEntry("Remarks=", record.Lines());
        if (record.HasComments())
            Entry({}, CommentsLine(record));
    }

    QByteArray& Bytes() { return FBytes; }

private:
    // Small enough to stay in the processor's cache while it is made.
    static constexpr qsizetype kPartSize = 256 * 1024;

    QChar FSeparator;
    const TWritePart* FWriter;
    bool FWritten = true;
    QByteArray FBytes;
};

void Head(TWorkspaceEncoder& file, TWorkspaceCounts counts, const TRegionalSettings& regional,
          QDate today) {
    file.Line("Quillorin v1.0 BETA");
    file.Entry("File created on : ", regional.FormatDate(today));
    file.Line("");
    file.Line(QByteArray("NbClasses=" + QByteArray::number(counts.Classes)).toStdString());
    file.Line(QByteArray("NbPupils=" + QByteArray::number(counts.Pupils)).toStdString());
}

bool Blocks(TWorkspaceEncoder& file, const TClassNode& schoolClass) {
    if (schoolClass.Data)
        file.ClassBlock(*schoolClass.Data);
    for (const auto& pupil : schoolClass.Pupils) {
        if (pupil->Data)
            file.PupilBlock(*pupil->Data);
        if (!file.EndBlock())
            return false;
    }
    return file.EndBlock();
}

} // namespace

TWorkspaceCounts CountsOf(const TWorkspace& tree) {
    TWorkspaceCounts counts;
    for (const auto& schoolClass : tree.Classes)
        counts += CountsOf(*schoolClass);
    return counts;
}

TWorkspaceCounts CountsOf(const TClassNode& schoolClass) {
    TWorkspaceCounts counts;
    counts.Classes = schoolClass.Data ? 1 : 0;
    for (const auto& pupil : schoolClass.Pupils)
        counts.Pupils += pupil->Data ? 1 : 0;
    return counts;
}

QByteArray EncodeWorkspaceHead(TWorkspaceCounts counts, const TRegionalSettings& regional,
                               QDate today) {
    TWorkspaceEncoder file(regional.DecimalSeparator);
    Head(file, counts, regional, today);
    return std::move(file.Bytes());
}

QByteArray EncodeClassBlocks(const TClassNode& schoolClass, const TRegionalSettings& regional) {
    TWorkspaceEncoder file(regional.DecimalSeparator);
    Blocks(file, schoolClass);
    return std::move(file.Bytes());
}

QByteArray EncodeWorkspace(const TWorkspace& tree, const TRegionalSettings& regional, QDate today) {
    TWorkspaceEncoder file(regional.DecimalSeparator);
    Head(file, CountsOf(tree), regional, today);
    for (const auto& schoolClass : tree.Classes)
        Blocks(file, *schoolClass);
    return std::move(file.Bytes());
}

std::optional<QString> SaveWorkspace(QSaveFile& file, const TWorkspace& tree,
                                     const TRegionalSettings& regional, QDate today) {
    // Written as it is made: no copy of the whole file in memory, and the
    // disk at work while the rest is made.
    return WriteWholeFile(file, [&](const TWritePart& write) {
        TWorkspaceEncoder encoder(regional.DecimalSeparator, &write);
        Head(encoder, CountsOf(tree), regional, today);
        for (const auto& schoolClass : tree.Classes) {
            if (!Blocks(encoder, *schoolClass))
                return;
        }
        encoder.Send();
    });
}

std::optional<QString> SaveWorkspace(const QString& path, const TWorkspace& tree,
                                     const TRegionalSettings& regional, QDate today) {
    QSaveFile file(path);
    return SaveWorkspace(file, tree, regional, today);
}
