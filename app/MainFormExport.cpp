// The export of a class's results to a spreadsheet file.

#include "app/MainForm.h"

#include "app/MessageBoxes.h"
#include "data/SafeFile.h"
#include "spreadsheet/ResultWriters.h"
#include "workspace/WorkspaceModel.h"

namespace {

QString CannotExportMessage(const QString& path, const QString& reason) {
    return QStringLiteral("Les résultats n'ont pas pu être exportés dans '%1' :\r%2")
        .arg(path, reason);
}

} // namespace

void TMainForm::FileExportResultsExecute() {
    RunGuarded(this, [this] {
        CommitPendingEdit();
        const QModelIndex classIndex = SelectedClassIndex();
        if (!FModel->ClassAt(classIndex))
            return;
        QString path = FEnvironment.ChooseSaveFile(
            this, QStringLiteral("Exporter les résultats"),
            QStringLiteral("Classeur OpenDocument (*.ods);;Classeur Excel (*.xlsx);;"
                           "Texte CSV, séparateur point-virgule (*.csv)"));
        if (path.isEmpty())
            return;
        ExportResultsTo(path, classIndex);
    });
}

void TMainForm::ExportResultsTo(const QString& chosen, const QModelIndex& classIndex) {
    const TClassNode* schoolClass = FModel->ClassAt(classIndex);
    if (!schoolClass)
        return;
    QString path = chosen;
    std::optional<TResultFormat> format = ResultFormatOf(path);
    if (!format) {
        // A name typed without a suffix is the format LibreOffice opens as it is.
        path += QStringLiteral(".ods");
        format = TResultFormat::Ods;
    }
    const TResultTable table =
        BuildResultTable(*schoolClass, {FColHints[1], FColHints[2], FColHints[3], FColHints[4]});
    TResultBytes bytes;
    switch (*format) {
    case TResultFormat::Ods:
        bytes = ResultsOds(table);
        break;
    case TResultFormat::Xlsx:
        bytes = ResultsXlsx(table);
        break;
    case TResultFormat::Csv:
        bytes = ResultsCsv(table, FEnvironment.Regional.DecimalSeparator);
        break;
    }
    if (const QString* error = std::get_if<QString>(&bytes)) {
        ShowMessage(this, CannotExportMessage(path, *error));
        return;
    }
    if (const std::optional<QString> error = WriteWholeFile(path, std::get<QByteArray>(bytes)))
        ShowMessage(this, *error);
}
