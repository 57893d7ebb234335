#pragma once

#include "app/Environment.h"
#include "app/HandlerGuard.h"
#include "app/ImageLists.h"
#include "data/ColHints.h"
#include "data/PrintConf.h"
#include "data/PupilColumnMemory.h"
#include "data/RemarksBank.h"
#include "data/Settings.h"
#include "data/Spelling.h"
#include "data/Workspace.h"
#include "data/WorkspaceReader.h"

#include <QMainWindow>
#include <QModelIndex>
#include <QPointer>

#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QToolBar;
class QTreeView;
class TClassEntryForm;
class TClassTreeView;
class TComboBox97;
class TEdit97;
class TEditGrid;
class TStatisticsForm;
class TStatusBar;
class THookHelpSystem;
class TTerminationWatch;
class TWorkspaceDocument;
class TWorkspaceEditor;
class TWorkspaceModel;

// The program's one window: the class and pupil tree on the left; on the
// right the pupil's identity, the evaluation grid and the remarks. The open
// workspace (records, model, history, files) is its document's; the window
// shows it and sends the teacher's changes to it.
//
// Its code is split by concern: MainForm.cpp (start-up, quit, help),
// MainFormLayout.cpp (controls), MainFormCommands.cpp (actions, menus, tool
// bar), MainFormClassCommands.cpp (new class, new pupil, delete),
// MainFormSubjects.cpp (subject editor), MainFormPrint.cpp (print dialog),
// MainFormTree.cpp (selection and refresh), MainFormSheet.cpp (pupil sheet),
// MainFormGrid.cpp (grid binding), MainFormSettings.cpp,
// MainFormImport.cpp (pupil import, class statistics).
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainForm(TEnvironment environment, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Shows the window in the state the settings gave, the tree focused;
    // nothing when the workspace is open in another program.
    void ShowAtStart();
    // Another program holds the workspace: this one ends at once and
    // writes nothing.
    bool OpenedElsewhere() const { return FOpenedElsewhere; }

    QModelIndex SelectedNode() const;
    TPData* SelectedData() const;
    // Makes the node the selection, which refreshes the right-hand side.
    void SelectNode(const QModelIndex& node);
    TWorkspaceModel& Model() const { return *FModel; }
    TWorkspaceEditor& Editor() { return *FEditor; }
    TWorkspaceDocument& Document() const { return *FDocument; }

    const TColHints& ColHints() const { return FColHints; }
    TPrintConf& PrintConf() { return FPrintConf; }
    const TEnvironment& Environment() const { return FEnvironment; }
    const TEditGrid& EvaluationGrid() const { return *Grid; }
    QString StatusPanelText(int panel) const;

    // The refresh of the right-hand side, in this order.
    void TreeChange();
    void UpdatePupilSheet(TPData* record);
    void FillGrid(const QModelIndex& node);
    void UpdateStatusBar();

    // Stores the edit in progress (a mark being typed) before a command
    // reads the records.
    void CommitPendingEdit();

    void PrepareGrid(const TPData* classRecord);
    void GridModifyCheck(QObject* Sender, int ARow, int Value);
    void GridModifyEdit(QObject* Sender, int ARow, const QString& Value);

    void FileNewClassExecute();
    void FileNewPupilExecute();
    void FileDeleteExecute();
    void FileModifyMattersExecute();
    // True when a class's caption equals the name, ignoring case.
    bool ClassExists(const QString& name) const;

    void FilePrintExecute();
    void FileToolBarExecute();
    void FileBigIconsExecute();
    void TreeExpandAllExecute();
    void TreeCollapseAllExecute();
    void FileImportPupilsExecute();
    void FileStatisticsExecute();
    // Imports the list into the class, after the preview.
    void ImportPupilsFrom(const QString& path, const QModelIndex& classIndex);
    TStatisticsForm* StatisticsWindow() const;
    // Results out: the selected class (or the class of the selected pupil)
    // as a spreadsheet; the format follows the file's suffix (.ods when it
    // has none of .ods, .xlsx, .csv).
    void FileExportResultsExecute();
    void ExportResultsTo(const QString& path, const QModelIndex& classIndex);
    void FileExitExecute();
    // Saving at any time, the dated copies, and the end the system asks for.
    void FileSaveExecute();
    void FileBackupsExecute();
    void RestoreBackup(const QString& path, QDate day);
    void Terminate();
    void EditUndoExecute();
    void EditRedoExecute();
    void HelpContentsExecute();
    void HelpAboutExecute();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    QWidget* BuildIdentityPanel();
    QWidget* BuildRemarksPanel();
    void BuildStatusBar();
    void BuildCommands();
    void BuildMenus();
    void BuildToolBar();
    void BuildPopupMenu();
    QAction* NewAction(const char* name, const QString& text);
    void BuildHistoryActions();
    void ShowChangedNode(const QModelIndex& node);

    void FormCreate();
    bool LockWorkspace();
    void StartOpening();
    void FormResize();
    bool FormClose();
    bool KeepCopyOfDamagedSettings();
    bool SaveFiles();
    void AskRecovery();
    void ShowHelpTopic(const QString& topic);

    void LoadSettings(const QString& path);
    TSettings CurrentSettings() const;
    void ApplyWindowSettings(const TWindowSettings& window);

    void LoadWorkspaceFile();
    void SetSheetEnabled(bool enabled);
    void EdtChange(QObject* sender);
    void FillSummaryRow(const TClassNode& schoolClass, int subject);
    QString FormatMark(double mark) const;
    QWidget* MessageParent();
    // The handler as a slot whose errors are reported where it is called.
    template <typename... Args> auto Guarded(void (TMainForm::*handler)(Args...)) {
        return [this, handler](Args... args) {
            RunGuarded(MessageParent(), [&] { (this->*handler)(args...); });
        };
    }
    QModelIndex SelectedClassIndex() const;

    // The first run, and what the empty window says to do first while the
    // workspace has no class; the controls' names for screen readers.
    void BuildWelcome();
    void UpdateWelcome();
    void SetAccessibleNames();
    bool FFirstRun = false;
    QLabel* WelcomeLbl = nullptr;

    TEnvironment FEnvironment;
    QDate FStartDay;
    TImageLists FImages;
    // Deleted by Qt after every widget of the window, which read it: it is
    // the window's last child.
    TWorkspaceDocument* FDocument;
    TWorkspaceModel* FModel;
    TWorkspaceEditor* FEditor;
    TTerminationWatch* FTermination = nullptr;
    bool FSettingsNeedCopy = false; // the settings file was not read whole
    TColHints FColHints = DefaultColHints();
    TPrintConf FPrintConf;
    bool FFillingRemarks = false;
    // True while UpdatePupilSheet fills the identity fields: showing a
    // record never changes it.
    bool FFillingSheet = false;
    bool FStartMaximized = false;
    bool FToolBarHints = true;
    std::unique_ptr<THookHelpSystem> FHelp;
    bool FOpenedElsewhere = false;
    QPointer<TStatisticsForm> FStatistics;
    // The import's column choices, kept in the settings file.
    TPupilColumnMemory FPupilColumns;

    QToolBar* ToolBar = nullptr;
    TStatusBar* StatusBar = nullptr;
    QSplitter* FColumns = nullptr;
    QSplitter* FRows = nullptr;
    QWidget* LeftPnl = nullptr;
    TClassTreeView* Tree = nullptr;
    QWidget* MainPanel = nullptr;
    QWidget* TopPanel = nullptr;
    QWidget* CenterPnl = nullptr;
    QWidget* BottomPnl = nullptr;
    QLabel* SurnameLbl = nullptr;
    QLabel* NameLbl = nullptr;
    QLabel* BirthDayLbl = nullptr;
    QLabel* SexeLbl = nullptr;
    QLabel* RemarksLbl = nullptr;
    TEdit97* SurnameEdt = nullptr;
    TEdit97* NameEdt = nullptr;
    TEdit97* BirthdayEdt = nullptr;
    TComboBox97* SexeCombo = nullptr;
    QPlainTextEdit* RemarksMemo = nullptr;
    TEditGrid* Grid = nullptr;
    QMenu* PopupMenu = nullptr;

    QAction* FileNewClass = nullptr;
    QAction* FileNewPupil = nullptr;
    QAction* FileDelete = nullptr;
    QAction* FileModifyMatters = nullptr;
    QAction* FilePrint = nullptr;
    QAction* FileImportPupils = nullptr;
    QAction* FileStatistics = nullptr;
    QAction* FileExportResults = nullptr;
    QAction* FileToolBar = nullptr;
    QAction* FileBigIcons = nullptr;
    QAction* FileBigIconsItem = nullptr;
    QAction* FileExit = nullptr;
    QAction* FileSave = nullptr;
    QAction* FileBackups = nullptr;
    QAction* EditUndo = nullptr;
    QAction* EditRedo = nullptr;
    QAction* HelpContents = nullptr;
    QAction* HelpAbout = nullptr;
    QAction* TreeExpandAll = nullptr;
    QAction* TreeCollapseAll = nullptr;

    // The class entry window and the class's housekeeping
    // (MainFormClassEntry.cpp).
public:
    void FileClassEntryExecute();
    void FileRenameClassExecute();
    void FileMovePupilExecute();
    void FileSortPupilsExecute();
    // The open class entry window of the class, if any.
    TClassEntryForm* ClassEntryWindow(const QModelIndex& schoolClass) const;
    // False, after the duplicate message, when another class has the name.
    bool RenameClassTo(const QModelIndex& schoolClass, const QString& name);
    // Moves the pupil to the end of the class and selects it there.
    QModelIndex MovePupilTo(const QModelIndex& pupil, const QModelIndex& schoolClass);

private:
    void BuildClassEntryCommands();
    void UpdateClassEntryCommands(const TPData* record);
    // Records changed by a command or another window: the grid and the
    // status bar show them at once.
    void TreeRecordsChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);

    QList<QPointer<TClassEntryForm>> FClassEntries;
    // True while the grid hands its own change to the editor: it shows it.
    bool FGridWriting = false;
    QAction* FileClassEntry = nullptr;
    QAction* FileRenameClass = nullptr;
    QAction* FileMovePupil = nullptr;
    QAction* FileSortPupils = nullptr;
    // The remarks box's spelling and bank of ready remarks
    // (MainFormRemarks.cpp).
public:
    TSpelling& Spelling() { return *FSpelling; }
    QString SpellingStatus() const;
    void EditRemarksBankExecute();

private:
    QWidget* BuildRemarksHeader(QWidget* panel);
    void StartSpelling();
    // The commands enabled for the record; its class's pupils' names, and
    // unless told otherwise its subjects, count as known words.
    void UpdateRemarksTools(const TPData* record, bool subjectsKnown = true);
    std::optional<TRemarksBank> ReadRemarksBankFile();

    std::unique_ptr<TSpelling> FSpelling = std::make_unique<TSpelling>();
    class QPushButton* RemarksBankBtn = nullptr;
    QAction* EditRemarksBank = nullptr;

    // A pupil's comment per subject, in the grid (MainFormComments.cpp).
public:
    // Edits the comment on the grid's current subject.
    void GridCommentExecute();

private:
    void BuildGridCommentCommand();
    void ShowGridComments(const TPData& record);
    // The subject index of the grid's current row when a comment can go
    // there (a pupil's evaluated subject), else -1.
    int CommentableSubject() const;

    QAction* GridComment = nullptr;
    QMenu* GridPopupMenu = nullptr;
};
