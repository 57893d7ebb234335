#include "data/WorkspaceWriter.h"

#include "data/Cp1252.h"
#include "data/SafeFile.h"
#include "data/WorkspaceCodecs.h"

#include <algorithm>

namespace {

// Writes the file's lines, or, given the lines a file holds, checks each
// line written against them as it comes, so that the check needs no copy of
// the whole file.
class TWorkspaceEncoder {
public:
    explicit TWorkspaceEncoder(const TRegionalSettings& regional,
                               const std::vector<QByteArrayView>* expected = nullptr)
        : FRegional(regional)
        , FExpected(expected) {}

    void Line(QStringView text) {
        if (!FExpected) {
            Cp1252::AppendEncoded(FBytes, text);
            FBytes += "\r\n";
            return;
        }
        constexpr std::size_t kDateLine = 1;
        const std::size_t index = FCompared++;
        if (!FSame || index == kDateLine)
            return;
        FBytes.clear();
        Cp1252::AppendEncoded(FBytes, text);
        FSame = index < FExpected->size() && QByteArrayView(FBytes) == (*FExpected)[index];
    }

    // With lines to check against: whether every line matched, none missing.
    bool Same() const { return FSame && FCompared == FExpected->size(); }

    void Entry(QLatin1String key, QStringView value) {
        FLine = key;
        FLine += value;
        Line(FLine);
    }

    void ListEntry(QLatin1String key, const QStringList& lines) {
        FLine = key;
        AppendList(FLine, lines);
        Line(FLine);
    }

    void ClassBlock(const TPData& record) {
        Line(u"");
        Line(u"[Class]");
        Entry(QLatin1String("ClassName="), record.ClassName());
        ListEntry(QLatin1String("Matters="), record.Lines());
    }

    void PupilBlock(const TPData& record) {
        Line(u"");
        Line(u"[Pupil]");
        Entry(QLatin1String("Surname="), record.Surname());
        Entry(QLatin1String("Name="), record.Name());
        Entry(QLatin1String("BirthDay="), record.BirthDay());
        Entry(QLatin1String("Class="), record.ClassName());
        Entry(QLatin1String("Sexe="), record.Sexe());
        FLine = QLatin1String("Levels=");
        AppendLevels(FLine, record, FRegional.DecimalSeparator);
        Line(FLine);
        ListEntry(QLatin1String("Remarks="), record.Lines());
    }

    QByteArray& Bytes() { return FBytes; }

private:
    const TRegionalSettings& FRegional;
    const std::vector<QByteArrayView>* FExpected;
    std::size_t FCompared = 0;
    bool FSame = true;
    QByteArray FBytes;
    QString FLine;
};

void Head(TWorkspaceEncoder& file, TWorkspaceCounts counts, const TRegionalSettings& regional,
          QDate today) {
    file.Line(u"Quillorin v1.0 BETA");
    file.Line(QString(QStringLiteral("File created on : ") + regional.FormatDate(today)));
    file.Line(u"");
    file.Line(QString(QStringLiteral("NbClasses=") + QString::number(counts.Classes)));
    file.Line(QString(QStringLiteral("NbPupils=") + QString::number(counts.Pupils)));
}

void Blocks(TWorkspaceEncoder& file, const TClassNode& schoolClass) {
    if (schoolClass.Data)
        file.ClassBlock(*schoolClass.Data);
    for (const auto& pupil : schoolClass.Pupils) {
        if (pupil->Data)
            file.PupilBlock(*pupil->Data);
    }
}

void Encode(TWorkspaceEncoder& file, const TWorkspace& tree, const TRegionalSettings& regional,
            QDate today) {
    Head(file, CountsOf(tree), regional, today);
    for (const auto& schoolClass : tree.Classes)
        Blocks(file, *schoolClass);
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
    TWorkspaceEncoder file(regional);
    Head(file, counts, regional, today);
    return file.Bytes();
}

QByteArray EncodeClassBlocks(const TClassNode& schoolClass, const TRegionalSettings& regional) {
    TWorkspaceEncoder file(regional);
    Blocks(file, schoolClass);
    return file.Bytes();
}

QByteArray EncodeWorkspace(const TWorkspace& tree, const TRegionalSettings& regional, QDate today) {
    TWorkspaceEncoder file(regional);
    Encode(file, tree, regional, today);
    return file.Bytes();
}

bool WritesBackTheSame(const std::vector<QByteArrayView>& fileLines, const TWorkspace& tree,
                       const TRegionalSettings& regional) {
    if (std::all_of(fileLines.begin(), fileLines.end(),
                    [](QByteArrayView line) { return line.trimmed().isEmpty(); }))
        return true;
    // Any day will do: the date line is not compared.
    TWorkspaceEncoder file(regional, &fileLines);
    Encode(file, tree, regional, QDate(2000, 1, 1));
    return file.Same();
}

std::optional<QString> SaveWorkspace(QSaveFile& file, const TWorkspace& tree,
                                     const TRegionalSettings& regional, QDate today) {
    return WriteWholeFile(file, EncodeWorkspace(tree, regional, today));
}

std::optional<QString> SaveWorkspace(const QString& path, const TWorkspace& tree,
                                     const TRegionalSettings& regional, QDate today) {
    QSaveFile file(path);
    return SaveWorkspace(file, tree, regional, today);
}
