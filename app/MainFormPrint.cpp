// The print command: the print dialog on the selected pupil or class.

#include "app/MainForm.h"

#include "app/HandlerGuard.h"
#include "app/MainFormSheetSource.h"
#include "print/PrintDlg.h"

#include <QApplication>

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
        TPrintDlg dialog(FPrintConf, source, TSheetBuilders::Sheets(), FEnvironment.Printers,
                         messages, this);
        dialog.exec();
    });
}
