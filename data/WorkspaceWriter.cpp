#include "data/WorkspaceWriter.h"

#include "data/Cp1252.h"
#include "data/SafeFile.h"
#include "data/WorkspaceCodecs.h"

#include <algorithm>

namespace {

class TWorkspaceEncoder {
public:
    explicit TWorkspaceEncoder(const TRegionalSettings& regional)
        : FRegional(regional) {}

    void Line(QStringView text) {
        Cp1252::AppendEncoded(FBytes, text);
        FBytes += "\r\n";
    }

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
    QByteArray FBytes;
    QString FLine;
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

    TWorkspaceEncoder file(regional);
    file.Line(u"Quillorin v1.0 BETA");
    file.Line(QString(QStringLiteral("File created on : ") + regional.FormatDate(today)));
    file.Line(u"");
    file.Line(QString(QStringLiteral("NbClasses=") + QString::number(classCount)));
    file.Line(QString(QStringLiteral("NbPupils=") + QString::number(pupilCount)));
    for (const auto& schoolClass : tree.Classes) {
        if (schoolClass->Data)
            file.ClassBlock(*schoolClass->Data);
        for (const auto& pupil : schoolClass->Pupils) {
            if (pupil->Data)
                file.PupilBlock(*pupil->Data);
        }
    }
    return file.Bytes();
}

bool WritesBackTheSame(const std::vector<QByteArrayView>& fileLines, const TWorkspace& tree,
                       const TRegionalSettings& regional) {
    constexpr std::size_t kDateLine = 1;
    if (std::all_of(fileLines.begin(), fileLines.end(),
                    [](QByteArrayView line) { return line.trimmed().isEmpty(); }))
        return true;
    // Any day will do: the date line is not compared.
    const QByteArray written = EncodeWorkspace(tree, regional, QDate(2000, 1, 1));
    const QByteArrayView lineEnd("\r\n");
    qsizetype at = 0;
    for (std::size_t i = 0; i < fileLines.size(); ++i) {
        const qsizetype end = written.indexOf(lineEnd, at);
        if (end < 0)
            return false;
        if (i != kDateLine && QByteArrayView(written).sliced(at, end - at) != fileLines[i])
            return false;
        at = end + lineEnd.size();
    }
    return at == written.size();
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
