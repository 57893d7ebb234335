// The main window's life: start-up, the status bar layout, quitting, help.

#include "app/MainForm.h"

#include "app/MessageBoxes.h"
#include "app/QuitDlg.h"
#include "app/StatusBar.h"
#include "app/WorkspaceEditor.h"
#include "app/WorkspaceModel.h"
#include "app/help/HookHelpSystem.h"
#include "data/DatedCopies.h"
#include "data/SafeFile.h"
#include "data/WorkspaceWriter.h"
#include "widgets/Controls97.h"
#include "widgets/EditGrid.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QTreeView>

#include <exception>

namespace {

const int kFixedPanelsWidth = 150 + 100 + 100;

} // namespace

TMainForm::TMainForm(TEnvironment environment, QWidget* parent)
    : QMainWindow(parent)
    , FEnvironment(std::move(environment))
    , FStartDay(FEnvironment.Today())
    , FModel(new TWorkspaceModel(FWorkspace, FImages, this))
    , FEditor(std::make_unique<TWorkspaceEditor>(*FModel)) {
    BuildLayout();
    BuildCommands();
    connect(Tree->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TMainForm::TreeChange);
    connect(Grid, &TEditGrid::OnModifyCheck, this, &TMainForm::GridModifyCheck);
    connect(Grid, &TEditGrid::OnModifyEdit, this, &TMainForm::GridModifyEdit);
    // An error here leaves the rest of the start-up undone; the window
    // opens all the same.
    try {
        FormCreate();
    } catch (const std::exception& error) {
        ShowErrorReport(MessageParent(), QString::fromUtf8(error.what()));
    }
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
    THelpDebugOptions debug;
    debug.Arguments = FEnvironment.Arguments;
    debug.ProgramFolder = FEnvironment.Folder;
    FHelp = std::make_unique<THookHelpSystem>(
        FEnvironment.FilePath(QStringLiteral("quillorin.chm")), QString(), debug);
    LoadSettings(FEnvironment.FilePath(QStringLiteral("quillorin.ini")));
    Grid->SetFixedCursor(QCursor(QPixmap(QStringLiteral(":/images/cursors/leftarrow.png")), 31, 0));
    RemarksLbl->setText(QStringLiteral("(Evaluation au ") +
                        FEnvironment.Regional.FormatDate(FStartDay) +
                        QStringLiteral(") - Remarques :"));
    SexeCombo->clear();
    for (const QString& sexe : SexeValues())
        SexeCombo->addItem(sexe);
    SexeCombo->setCurrentIndex(DefaultSexeIndex);
    PrepareGrid(nullptr);
    FFillingRemarks = false;
    LoadWorkspaceFile(FEnvironment.FilePath(QStringLiteral("tree.dat")));
}

void TMainForm::LoadWorkspaceFile(const QString& path) {
    auto show = [this](const QString& text) {
        ShowMessage(MessageParent(), text);
    };
    FModel->Reset([&](TWorkspace& tree) {
        FLoadResult = LoadWorkspace(path, tree, FEnvironment.Regional, show);
    });
    if (!FLoadResult.Error.isEmpty())
        ShowErrorReport(MessageParent(), FLoadResult.Error);
}

void TMainForm::ShowAtStart() {
    Tree->setFocus();
    if (FStartMaximized)
        showMaximized();
    else
        show();
}

QWidget* TMainForm::MessageParent() {
    return isVisible() ? this : nullptr;
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMainForm::FormResize() {
    StatusBar->SetPanelWidth(0, width() - kFixedPanelsWidth);
}

void TMainForm::FileExitExecute() {
    close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    bool canClose = false;
    try {
        canClose = FormClose();
    } catch (const std::exception& error) {
        ShowErrorReport(MessageParent(), QString::fromUtf8(error.what()));
    }
    if (canClose)
        event->accept();
    else
        event->ignore();
}

bool TMainForm::FormClose() {
    CommitPendingEdit();
    {
        TQuitDlg dialog(this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
    }
    if (!KeepCopyOfDamagedWorkspace())
        return false;
    const QDate today = FEnvironment.Today();
    // A copy that cannot be made never stops the save.
    KeepDatedCopy(FEnvironment.FilePath(QStringLiteral("tree.dat")), today);
    if (auto error = SaveWorkspace(FEnvironment.FilePath(QStringLiteral("tree.dat")), FWorkspace,
                                   FEnvironment.Regional, today)) {
        ShowErrorReport(this, *error);
        return false;
    }
    if (auto error = WriteWholeFile(FEnvironment.FilePath(QStringLiteral("quillorin.ini")),
                                    EncodeSettings(CurrentSettings()))) {
        ShowErrorReport(this, *error);
        return false;
    }
    FModel->Reset([](TWorkspace& tree) { FreeWorkspace(tree); });
    FHelp.reset();
    return true;
}

bool TMainForm::KeepCopyOfDamagedWorkspace() {
    // A file that was read only in part would lose the rest when written:
    // keep it as it was, once, and say where.
    if (FCopyKept || !FLoadResult.Found || FLoadResult.Complete())
        return true;
    const QString path = FEnvironment.FilePath(QStringLiteral("tree.dat"));
    if (!QFileInfo::exists(path)) {
        FCopyKept = true;
        return true;
    }
    const TCopyResult copy = KeepCopyOf(path);
    if (copy.Error) {
        ShowErrorReport(this, *copy.Error);
        return false;
    }
    FCopyKept = true;
    ShowMessage(this, QStringLiteral("Le fichier '%1' n'avait pas pu être lu en entier.\r"
                                     "Une copie de son contenu d'origine est gardée dans '%2'.")
                          .arg(path, copy.CopyPath));
    return true;
}

void TMainForm::HelpContentsExecute() {
    ShowHelpTopic(QStringLiteral("firstpage.htm"));
}

void TMainForm::HelpAboutExecute() {
    ShowHelpTopic(QStringLiteral("about.htm"));
}

void TMainForm::ShowHelpTopic(const QString& topic) {
    if (THookHelpSystem::HelpViewerVersion() <= 3) {
        ShowMessage(this,
                    QStringLiteral("Le fichier d'aide est au format HTML compilé et nécessite que "
                                   "'Internet Explorer 4' (ou supérieur) soit installé."));
        return;
    }
    if (FHelp)
        FHelp->DisplayTopic(QStringLiteral("quillorin.chm") + QStringLiteral("::") + u'/' + topic +
                            u'>' + QStringLiteral("main window"));
}
