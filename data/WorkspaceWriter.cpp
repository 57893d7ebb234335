#include "data/WorkspaceWriter.h"

#include "data/CommentsLine.h"
#include "data/Cp1252.h"
#include "data/SafeFile.h"
#include "data/WorkspaceCodecs.h"

namespace {

// The file's bytes, written straight in Windows-1252 as the tree is visited.
class TWorkspaceEncoder {
public:
    explicit TWorkspaceEncoder(QChar decimalSeparator)
        : FSeparator(decimalSeparator == u',' ? u',' : u'.') {}

    void Line(const char* ascii) {
        FBytes += ascii;
        FBytes += "\r\n";
    }

    void Entry(const char* key, const QString& value) {
        FBytes += key;
        Cp1252::AppendEncoded(FBytes, value);
        FBytes += "\r\n";
    }

    void ListEntry(const char* key, const QStringList& lines) {
        FBytes += key;
        AppendList(FBytes, lines);
        FBytes += "\r\n";
    }

    void ClassBlock(const TPData& record) {
        Line("");
        Line("[Class]");
        Entry("ClassName=", record.ClassName());
        ListEntry("Matters=", record.Lines());
    }

    void PupilBlock(const TPData& record) {
        Line("");
        Line("[Pupil]");
        Entry("Surname=", record.Surname());
        Entry("Name=", record.Name());
        Entry("BirthDay=", record.BirthDay());
        Entry("Class=", record.ClassName());
        Entry("Sexe=", record.Sexe());
        FBytes += "Levels=";
        AppendLevels(FBytes, record, FSeparator);
        FBytes += "\r\n";
        ListEntry("Remarks=", record.Lines());
        if (record.HasComments()) {
            Cp1252::AppendEncoded(FBytes, CommentsLine(record));
            FBytes += "\r\n";
        }
    }

    QByteArray& Bytes() { return FBytes; }

private:
    QChar FSeparator;
    QByteArray FBytes;
};

} // namespace

QByteArray EncodeWorkspace(const TWorkspace& tree, const TRegionalSettings& regional, QDate today) {
    int classCount = 0;
    int pupilCount = 0;
    for (const auto& schoolClass : tree.Classes) {
        classCount += schoolClass->Data ? 1 : 0;
        for (const auto& pupil : schoolClass->Pupils)
            pupilCount += pupil->Data ? 1 : 0;
    }

    TWorkspaceEncoder file(regional.DecimalSeparator);
    file.Line("Quillorin v1.0 BETA");
    file.Entry("File created on : ", regional.FormatDate(today));
    file.Line("");
    file.Line(QByteArray("NbClasses=" + QByteArray::number(classCount)).constData());
    file.Line(QByteArray("NbPupils=" + QByteArray::number(pupilCount)).constData());
    for (const auto& schoolClass : tree.Classes) {
        if (schoolClass->Data)
            file.ClassBlock(*schoolClass->Data);
        for (const auto& pupil : schoolClass->Pupils) {
            if (pupil->Data)
                file.PupilBlock(*pupil->Data);
        }
    }
    return std::move(file.Bytes());
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
