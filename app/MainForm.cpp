// The main window's life: start-up, the status bar layout, quitting, help.

#include "app/MainForm.h"

#include "app/ClassTreeView.h"
#include "app/HandlerGuard.h"
#include "app/MessageBoxes.h"
#include "app/QuitDlg.h"
#include "app/StatusBar.h"
#include "app/help/HookHelpSystem.h"
#include "data/DatedCopies.h"
#include "data/SafeFile.h"
#include "data/WorkspaceWriter.h"
#include "widgets/Controls97.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QSplitter>
#include <QTreeView>

namespace {

const int kFixedPanelsWidth = 150 + 100 + 100;

} // namespace

TMainForm::TMainForm(TEnvironment environment, QWidget* parent)
    : QMainWindow(parent)
    , FEnvironment(std::move(environment))
    , FStartDay(FEnvironment.Today())
    , FModel(new TWorkspaceModel(
          FWorkspace, [this](int image, int selected) { return FImages.TreeIcon(image, selected); },
          this))
    , FEditor(std::make_unique<TWorkspaceEditor>(*FModel)) {
    FEditor->SetShowNode([this](const QModelIndex& node) { ShowChangedNode(node); });
    BuildLayout();
    BuildCommands();
    // Typing in a field is one step until the focus leaves it.
    connect(qApp, &QApplication::focusChanged, this, [this] { FEditor->EndTyping(); });
    connect(Tree->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            Guarded(&TMainForm::TreeChange));
    connect(Grid, &TEditGrid::OnModifyCheck, this, Guarded(&TMainForm::GridModifyCheck));
    connect(Grid, &TEditGrid::OnModifyEdit, this, Guarded(&TMainForm::GridModifyEdit));
    // An error here leaves the rest of the start-up undone; the window
    // opens all the same.
    RunGuarded(MessageParent(), [this] { FormCreate(); });
}

TMainForm::~TMainForm() {
    // The widgets going away move the focus; the editor goes first. The
    // views and the model read the records: they go before the records.
    disconnect(qApp, nullptr, this, nullptr);
    // A view being destroyed still sends events: none may reach the filter
    // that reads it.
    Tree->viewport()->removeEventFilter(this);
    delete FColumns;
    FEditor.reset();
    delete FModel;
}

bool TMainForm::LockWorkspace() {
    FLock = std::make_unique<QLockFile>(FEnvironment.FilePath(QStringLiteral("tree.lock")));
    // Held as long as the program runs: only a dead holder makes it stale,
    // however old it is.
    FLock->setStaleLockTime(0);
    if (FLock->tryLock(0) || FLock->error() != QLockFile::LockFailedError)
        return true;
    FOpenedElsewhere = true;
    ShowMessage(MessageParent(),
                QStringLiteral("Les classes et les élèves de '%1' sont déjà ouverts dans un autre "
                               "Quillorin.\rCelui-ci se ferme sans rien enregistrer, pour ne pas "
                               "écraser le travail fait dans l'autre.")
                    .arg(FEnvironment.FilePath(QStringLiteral("tree.dat"))));
    return false;
}

void TMainForm::FormCreate() {
    if (!LockWorkspace())
        return;
    // The files may live in the per-user folder rather than beside the
    // program: the status bar says where, under the mouse.
    StatusBar->setToolTip(QStringLiteral("Dossier de l'espace de travail : ") +
                          QDir::toNativeSeparators(FEnvironment.Folder));
    THelpDebugOptions debug;
    debug.Arguments = FEnvironment.Arguments;
    debug.ProgramFolder = FEnvironment.Folder;
    FHelp = std::make_unique<THookHelpSystem>(FEnvironment.HelpFilePath(), QString(), debug);
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
    StartSpelling();
    LoadWorkspaceFile(FEnvironment.FilePath(QStringLiteral("tree.dat")));
}

void TMainForm::LoadWorkspaceFile(const QString& path) {
    auto show = [this](const QString& text) {
        ShowMessage(MessageParent(), text);
    };
    const bool loaded = RunGuarded(MessageParent(), [&] {
        FModel->Reset([&](TWorkspace& tree) {
            FLoadResult = LoadWorkspace(path, tree, FEnvironment.Regional, show);
        });
    });
    // Whatever stopped the load, the file holds more than the tree now does.
    if (!loaded) {
        FLoadResult.LostContent = true;
        return;
    }
    if (!FLoadResult.Error.isEmpty())
        ShowErrorReport(MessageParent(), FLoadResult.Error);
}

void TMainForm::ShowAtStart() {
    if (FOpenedElsewhere)
        return;
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
    bool canClose = FOpenedElsewhere;
    if (!FOpenedElsewhere)
        RunGuarded(MessageParent(), [&] { canClose = FormClose(); });
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
