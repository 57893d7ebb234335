// The main window's life: start-up, saving, quitting, help.

#include "app/MainForm.h"

#include "app/AfterFirstPaint.h"
#include "app/BackupsDlg.h"
#include "app/ClassTreeView.h"
#include "app/HandlerGuard.h"
#include "app/ImageLists.h"
#include "app/MessageBoxes.h"
#include "app/QuitDlg.h"
#include "app/StatusBar.h"
#include "app/TerminationWatch.h"
#include "app/help/HookHelpSystem.h"
#include "data/DatedCopies.h"
#include "data/HeapTuning.h"
#include "data/SafeFile.h"
#include "data/WorkspaceReader.h"
#include "data/WorkspaceWriter.h"
#include "widgets/Controls97.h"
#include "widgets/EditGrid.h"
#include "widgets/ResourceImage.h"
#include "workspace/WorkspaceDocument.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSessionManager>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <QUndoStack>

namespace {

const int kFixedPanelsWidth = 150 + 100 + 100;

} // namespace

TMainForm::TMainForm(TEnvironment environment, QWidget* parent)
    : QMainWindow(parent)
    , FEnvironment(std::move(environment))
    , FStartDay(FEnvironment.Today())
    , FDocument(new TWorkspaceDocument(
          FEnvironment.Folder, FEnvironment.Regional, FEnvironment.Today,
          [this](int image, int selected) { return FImages.TreeIcon(image, selected); }))
    , FModel(&FDocument->Model())
    , FEditor(&FDocument->Editor()) {
    FEditor->SetShowNode([this](const QModelIndex& node) { ShowChangedNode(node); });
    // The folder is locked and its workspace file read on another core
    // while the window is built.
    RunGuarded(MessageParent(), [this] { StartOpening(); });
    BuildLayout();
    BuildCommands();
    BuildWelcome();
    SetAccessibleNames();
    // Qt deletes a window's children in the order they came: the document,
    // given last, goes after every view and handler that reads it.
    FDocument->setParent(this);
    // The title's "*" while there are unsaved changes; undoing back to the
    // saved state takes it away.
    setWindowTitle(ApplicationTitle() + QStringLiteral("[*]"));
    connect(FDocument, &TWorkspaceDocument::ModifiedChanged, this, &QWidget::setWindowModified);
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
    // The widgets going away move the focus, which must not reach a
    // handler of a window that is gone; nor may a view's last events reach
    // the filter that reads it.
    disconnect(qApp, nullptr, this, nullptr);
    Tree->viewport()->removeEventFilter(this);
}

bool TMainForm::LockWorkspace() {
    if (FDocument->Lock())
        return true;
    FOpenedElsewhere = true;
    ShowMessage(MessageParent(),
                QStringLiteral("Les classes et les élèves de '%1' sont déjà ouverts dans un autre "
                               "Quillorin.\rCelui-ci se ferme sans rien enregistrer, pour ne pas "
                               "écraser le travail fait dans l'autre.")
                    .arg(FDocument->FilePath()));
    return false;
}

void TMainForm::StartOpening() {
    // Told before the lock is taken: a lock left behind is a trace of work.
    FFirstRun = IsFirstRun(FEnvironment.StartFiles());
    FDocument->StartOpen(!FFirstRun);
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
    Grid->SetFixedCursor(
        QCursor(ReadResourcePixmap(QStringLiteral(":/images/cursors/leftarrow.png")), 31, 0));
    RemarksLbl->setText(QStringLiteral("(Evaluation au ") +
                        FEnvironment.Regional.FormatDate(FStartDay) +
                        QStringLiteral(") - Remarques :"));
    SexeCombo->clear();
    for (const QString& sexe : SexeValues())
        SexeCombo->addItem(sexe);
    SexeCombo->setCurrentIndex(DefaultSexeIndex);
    PrepareGrid(nullptr);
    FFillingRemarks = false;
    LoadWorkspaceFile();
    UpdateWelcome();
    AskRecovery();
    // A shutdown or a `kill` keeps the unsaved work in the recovery file;
    // so does the end of the session.
    FTermination = new TTerminationWatch([this] { Terminate(); }, this);
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
        CommitPendingEdit();
        FDocument->FlushRecovery();
    });
}

void TMainForm::LoadWorkspaceFile() {
    // Nothing to read yet, and nothing to report: the window says what to
    // do first instead.
    if (FFirstRun)
        return;
    const TLoadResult& result =
        FDocument->Load([this](const QString& text) { ShowMessage(MessageParent(), text); });
    if (!result.Error.isEmpty())
        ShowErrorReport(MessageParent(), result.Error);
}

void TMainForm::AskRecovery() {
    if (!FDocument->HasRecovery())
        return;
    QMessageBox question(QMessageBox::Question, ApplicationTitle(),
                         QStringLiteral("Quillorin ne s'est pas fermé normalement. Les "
                                        "modifications faites depuis le dernier enregistrement "
                                        "peuvent être récupérées. Les récupérer ?"),
                         QMessageBox::NoButton, MessageParent());
    question.setObjectName(QStringLiteral("RecoveryQuestion"));
    QPushButton* yes = question.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
    question.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
    question.setDefaultButton(yes);
    question.exec();
    if (question.clickedButton() == yes) {
        if (auto error = FDocument->Recover()) {
            ShowErrorReport(MessageParent(), *error);
        } else {
            SelectNode(FModel->index(0, 0));
            return;
        }
    }
    const auto aside = FDocument->SetRecoveryAside(QDateTime::currentDateTime());
    if (aside.Error)
        ShowErrorReport(MessageParent(), *aside.Error);
    else
        ShowMessage(MessageParent(),
                    QStringLiteral("Les modifications non enregistrées sont gardées à part dans "
                                   "'%1'.")
                        .arg(QDir::toNativeSeparators(aside.Path)));
}

void TMainForm::ShowAtStart() {
    if (FOpenedElsewhere)
        return;
    Tree->setFocus();
    if (FStartMaximized)
        showMaximized();
    else
        show();
    // The window's picture is for the task bar, the help control for the
    // first help asked and the dictionary for the first remark typed: all
    // are read once the window is on the screen. Read at the same time, the
    // dictionary delayed the first picture by a tenth. The heap is set for
    // workspaces then too: its settings serve the loads that follow a
    // released tree, and slowed Qt's own start.
    RunAfterFirstPaint(*this, [this] {
        TuneHeapForWorkspaces();
        setWindowIcon(ImageIcon(QStringLiteral("quillorin.png")));
        if (FHelp)
            FHelp->LoadHelpControl();
        StartSpelling();
    });
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
    if (!SaveFiles())
        return false;
    FDocument->Close();
    FHelp.reset();
    return true;
}

bool TMainForm::SaveFiles() {
    const TWorkspaceDocument::TSaveResult saved = FDocument->Save();
    for (const QString& notice : saved.Notices)
        ShowMessage(this, notice);
    if (saved.Error) {
        ShowErrorReport(this, *saved.Error);
        return false;
    }
    if (!KeepCopyOfDamagedSettings())
        return false;
    if (auto error = WriteWholeFile(FEnvironment.FilePath(QStringLiteral("quillorin.ini")),
                                    EncodeSettings(CurrentSettings()))) {
        ShowErrorReport(this, *error);
        return false;
    }
    return true;
}

void TMainForm::FileSaveExecute() {
    CommitPendingEdit();
    SaveFiles();
}

void TMainForm::Terminate() {
    CommitPendingEdit();
    FDocument->FlushRecovery();
    QCoreApplication::exit(0);
}

void TMainForm::FileBackupsExecute() {
    CommitPendingEdit();
    std::vector<TBackupEntry> entries;
    for (const TDatedCopy& copy : DatedCopiesOf(FDocument->FilePath())) {
        TBackupEntry entry{copy.Day, copy.Path};
        TWorkspace tree;
        if (const auto bytes = ReadWholeFile(copy.Path)) {
            const TLoadResult read =
                LoadWorkspaceFromBytes(*bytes, tree, FEnvironment.Regional, [](const QString&) {});
            entry.Complete = read.Complete();
        } else {
            entry.Complete = false;
        }
        const TWorkspaceCounts counts = CountsOf(tree);
        entry.Classes = counts.Classes;
        entry.Pupils = counts.Pupils;
        entries.push_back(entry);
    }
    TBackupsDlg dialog(std::move(entries), this);
    if (dialog.exec() != QDialog::Accepted || !dialog.Chosen())
        return;
    RestoreBackup(dialog.Chosen()->Path, dialog.Chosen()->Day);
}

void TMainForm::RestoreBackup(const QString& path, QDate day) {
    const QString dayText = FEnvironment.Regional.FormatDate(day);
    QMessageBox question(QMessageBox::Question, ApplicationTitle(),
                         QStringLiteral("Remplacer toutes les classes et tous les élèves par ceux "
                                        "de la copie du %1 ?\nVous pourrez l'annuler avec "
                                        "Edition > Annuler (Ctrl+Z).")
                             .arg(dayText),
                         QMessageBox::NoButton, this);
    question.setObjectName(QStringLiteral("RestoreQuestion"));
    QPushButton* yes = question.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
    QPushButton* no = question.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
    question.setDefaultButton(no);
    question.exec();
    if (question.clickedButton() != yes)
        return;
    if (auto error = FDocument->Restore(path, QStringLiteral("copie du ") + dayText)) {
        ShowErrorReport(this, *error);
        return;
    }
    SelectNode(FModel->index(0, 0));
    TreeChange();
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
