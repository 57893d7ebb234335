// The print command: the print dialog on the selected pupil or class.

#include "app/MainForm.h"

#include "app/HandlerGuard.h"
#include "app/MainFormSheetSource.h"
#include "print/PrintDlg.h"

#include <QApplication>

namespace {

TSheetBuilders SheetBuilders() {
    TSheetBuilders builders;
    builders.Pupil = [](TPageRecorder& preview, const TSheetSource& source, const TPData& pupil,
                        const TPData& schoolClass, const TSheetOptions& options) {
        BuildPupilSheet(preview, source, pupil, schoolClass, options);
    };
    builders.Class = [](TPageRecorder& preview, const TSheetSource& source,
                        const TSheetOptions& options) {
        BuildClassSheet(preview, source, options);
    };
    return builders;
}

} // namespace

void TMainForm::FilePrintExecute() {
    RunGuarded(this, [this] {
        CommitPendingEdit();
        if (!SelectedData())
            return;
        const TMainFormSheetSource source(*this);
        // Messages go over the dialog while it is shown.
        auto messages = [this](const QString& text) {
            QWidget* modal = QApplication::activeModalWidget();
            ShowMessage(modal ? modal : this, text);
        };
        TPrintDlg dialog(FPrintConf, source, SheetBuilders(), FEnvironment.Printers, messages,
                         this);
        dialog.exec();
    });
}
