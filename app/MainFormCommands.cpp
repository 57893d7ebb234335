// The window's commands: actions, main menu, tool bar and the tree's menu.

#include "app/MainForm.h"

#include "app/ImageLists.h"

#include "app/ClassTreeView.h"
#include "app/HandlerGuard.h"
#include "workspace/WorkspaceEditor.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

namespace {

struct TToolBarLook {
    int IconSize;
    QSize ButtonSize;
    Qt::ToolButtonStyle Style;
    bool Hints;
    int TreeIndent;
};

constexpr TToolBarLook kBigLook{32, {86, 52}, Qt::ToolButtonTextUnderIcon, false, 35};
constexpr TToolBarLook kSmallLook{16, {23, 22}, Qt::ToolButtonIconOnly, true, 19};

} // namespace

QAction* TMainForm::NewAction(const char* name, const QString& text) {
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    addAction(action);
    return action;
}

void TMainForm::BuildCommands() {
    struct TCommand {
        QAction*& Action;
        const char* Name;
        QString MenuText;
        QString ButtonText;
        QKeySequence Shortcut;
        int Image;
    };
    const TCommand commands[] = {
        {FileNewClass, "FileNewClass", QStringLiteral("Nouvelle classe"),
         QStringLiteral("Nouvelle classe"), QKeySequence(Qt::Key_F3), 0},
        {FileNewPupil, "FileNewPupil", QStringLiteral("Nouvel élèv&e"),
         QStringLiteral("Nouvel élève"), QKeySequence(Qt::Key_F2), 1},
        {FileDelete, "FileDelete", QStringLiteral("&Supprimer"), QStringLiteral("Supprimer"),
         QKeySequence(Qt::CTRL | Qt::Key_Delete), 2},
        {FileModifyMatters, "FileModifyMatters", QStringLiteral("&Modifier les matières"),
         QStringLiteral("Modifier matières"), QKeySequence(Qt::Key_F4), 4},
        {FilePrint, "FilePrint", QStringLiteral("I&mprimer"), QStringLiteral("Imprimer"),
         QKeySequence(Qt::CTRL | Qt::Key_P), 3},
    };
    for (const TCommand& command : commands) {
        command.Action = NewAction(command.Name, command.MenuText);
        command.Action->setIconText(command.ButtonText);
        command.Action->setToolTip(command.ButtonText);
        command.Action->setShortcut(command.Shortcut);
        command.Action->setIcon(FImages.ToolBarIcon(command.Image));
    }
    connect(FileModifyMatters, &QAction::triggered, this, &TMainForm::FileModifyMattersExecute);
    FileImportPupils = NewAction("FileImportPupils", QStringLiteral("&Importer des élèves..."));
    FileImportPupils->setIconText(QStringLiteral("Importer des élèves..."));
    connect(FileImportPupils, &QAction::triggered, this, &TMainForm::FileImportPupilsExecute);
    FileStatistics = NewAction("FileStatistics", QStringLiteral("S&tatistiques de la classe"));
    FileStatistics->setIconText(QStringLiteral("Statistiques de la classe"));
    connect(FileStatistics, &QAction::triggered, this, &TMainForm::FileStatisticsExecute);
    FileExportResults =
        NewAction("FileExportResults", QStringLiteral("E&xporter les résultats..."));
    FileExportResults->setIconText(QStringLiteral("Exporter les résultats..."));
    connect(FileExportResults, &QAction::triggered, this, &TMainForm::FileExportResultsExecute);
    // Until a node is selected there is nothing to act on.
    for (QAction* action : {FileNewPupil, FileDelete, FileModifyMatters, FilePrint,
                            FileImportPupils, FileStatistics, FileExportResults})
        action->setEnabled(false);
    connect(FileNewClass, &QAction::triggered, this, &TMainForm::FileNewClassExecute);
    connect(FileNewPupil, &QAction::triggered, this, &TMainForm::FileNewPupilExecute);
    connect(FileDelete, &QAction::triggered, this, &TMainForm::FileDeleteExecute);
    connect(Tree, &TClassTreeView::DeleteKeyPressed, this, &TMainForm::FileDeleteExecute);

    connect(FilePrint, &QAction::triggered, this, &TMainForm::FilePrintExecute);

    FileToolBar = NewAction("FileToolBar", QStringLiteral("Barre d'&outils"));
    FileToolBar->setCheckable(true);
    FileToolBar->setChecked(true);
    connect(FileToolBar, &QAction::triggered, this, &TMainForm::FileToolBarExecute);
    FileBigIcons = NewAction("FileBigIcons", QStringLiteral("&Grandes Icônes"));
    FileBigIcons->setCheckable(true);
    FileBigIcons->setChecked(true);
    connect(FileBigIcons, &QAction::triggered, this, &TMainForm::FileBigIconsExecute);
    // The menu item calls the handler itself; the action above stays unbound.
    FileBigIconsItem = NewAction("FileBigIconsItem", QStringLiteral("&Grandes Icônes"));
    FileBigIconsItem->setCheckable(true);
    FileBigIconsItem->setChecked(true);
    connect(FileBigIconsItem, &QAction::triggered, this, &TMainForm::FileBigIconsExecute);
    FileExit = NewAction("FileExit", QStringLiteral("&Quitter"));
    connect(FileExit, &QAction::triggered, this, &TMainForm::FileExitExecute);
    // Saving at any time and the dated copies.
    FileSave = NewAction("FileSave", QStringLiteral("E&nregistrer"));
    FileSave->setIconText(QStringLiteral("Enregistrer"));
    FileSave->setToolTip(QStringLiteral("Enregistrer (Ctrl+S)"));
    FileSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    FileSave->setIcon(SaveIcon());
    connect(FileSave, &QAction::triggered, this, Guarded(&TMainForm::FileSaveExecute));
    FileBackups = NewAction("FileBackups", QStringLiteral("Copies &datées..."));
    FileBackups->setIconText(QStringLiteral("Copies datées..."));
    connect(FileBackups, &QAction::triggered, this, Guarded(&TMainForm::FileBackupsExecute));
    BuildHistoryActions();
    BuildClassEntryCommands();
    HelpContents = NewAction("HelpContents", QStringLiteral("&Rubriques d'aide"));
    HelpContents->setShortcut(QKeySequence(Qt::Key_F1));
    connect(HelpContents, &QAction::triggered, this, Guarded(&TMainForm::HelpContentsExecute));
    HelpAbout = NewAction("HelpAbout", QStringLiteral("A &propos"));
    connect(HelpAbout, &QAction::triggered, this, Guarded(&TMainForm::HelpAboutExecute));
    TreeExpandAll = NewAction("TreeExpandAll", QStringLiteral("Tout développer"));
    connect(TreeExpandAll, &QAction::triggered, this, &TMainForm::TreeExpandAllExecute);
    TreeCollapseAll = NewAction("TreeCollapseAll", QStringLiteral("Tout réduire"));
    connect(TreeCollapseAll, &QAction::triggered, this, &TMainForm::TreeCollapseAllExecute);

    BuildMenus();
    BuildToolBar();
    BuildPopupMenu();
}

void TMainForm::BuildMenus() {
    menuBar()->setObjectName(QStringLiteral("MainMenu"));
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Fichier"));
    file->setObjectName(QStringLiteral("FileMenu"));
    file->addActions({FileNewClass, FileNewPupil, FileDelete, FileModifyMatters, FilePrint});
    file->addSeparator();
    file->addActions({FileImportPupils, FileStatistics, FileClassEntry, FileExportResults});
    file->addSeparator();
    file->addActions({FileRenameClass, FileMovePupil, FileSortPupils});
    file->addSeparator();
    file->addActions({FileToolBar, FileBigIconsItem});
    file->addSeparator();
    file->addAction(FileBackups);
    file->addAction(FileSave);
    file->addAction(FileExit);
    QMenu* edition = menuBar()->addMenu(QStringLiteral("&Edition"));
    edition->setObjectName(QStringLiteral("EditMenu"));
    edition->addActions({EditUndo, EditRedo});
    edition->addSeparator();
    edition->addAction(EditRemarksBank);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Aide"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    help->addAction(HelpContents);
    help->addSeparator();
    help->addAction(HelpAbout);
}

void TMainForm::BuildHistoryActions() {
    EditUndo = NewAction("EditUndo", QString());
    EditUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(EditUndo, &QAction::triggered, this, &TMainForm::EditUndoExecute);
    EditRedo = NewAction("EditRedo", QString());
    EditRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(EditRedo, &QAction::triggered, this, &TMainForm::EditRedoExecute);
    // The captions name the step; a "&" in a name is shown as itself.
    auto caption = [](QAction* action, const QString& verb, const QString& step) {
        QString text = verb;
        if (!step.isEmpty())
            text += QStringLiteral(" : ") + QString(step).replace(u'&', QStringLiteral("&&"));
        action->setText(text);
    };
    const QUndoStack& history = FEditor->History();
    auto update = [this, caption, &history] {
        caption(EditUndo, QStringLiteral("&Annuler"), history.undoText());
        caption(EditRedo, QStringLiteral("&Rétablir"), history.redoText());
        EditUndo->setEnabled(history.canUndo());
        EditRedo->setEnabled(history.canRedo());
    };
    connect(&history, &QUndoStack::indexChanged, this, update);
    update();
}

void TMainForm::EditUndoExecute() {
    RunGuarded(this, [this] {
        CommitPendingEdit();
        FEditor->Undo();
    });
}

void TMainForm::EditRedoExecute() {
    RunGuarded(this, [this] {
        CommitPendingEdit();
        FEditor->Redo();
    });
}

void TMainForm::BuildToolBar() {
    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->toggleViewAction()->setVisible(false);
    // The button that shows the buttons a narrow window hides has no text
    // of its own: a screen reader would announce an unnamed check box.
    if (auto* more = ToolBar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("Autres boutons"));
    setContextMenuPolicy(Qt::NoContextMenu);
    // The captions must fit the 86-pixel buttons of the large look.
    QFont captions = ToolBar->font();
    captions.setPointSizeF(captions.pointSizeF() - 1);
    captions.setStretch(QFont::Condensed);
    ToolBar->setFont(captions);
    ToolBar->addActions({FileNewClass, FileNewPupil});
    auto* separator = new QFrame(ToolBar);
    separator->setObjectName(QStringLiteral("ToolSeparator"));
    separator->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    separator->setFixedWidth(8);
    ToolBar->addWidget(separator);
    ToolBar->addActions({FileDelete, FilePrint, FileModifyMatters, FileClassEntry});
    ToolBar->addAction(FileSave);
    for (QAction* action : ToolBar->actions()) {
        if (QWidget* button = ToolBar->widgetForAction(action);
            qobject_cast<QToolButton*>(button)) {
            button->setObjectName(action->objectName() + QStringLiteral("Btn"));
            button->installEventFilter(this);
        }
    }
    addToolBar(ToolBar);
    // A new tool bar has neither look: this gives it the designed large one,
    // which shows its hints until the user switches to large icons.
    FileBigIconsExecute();
    FToolBarHints = true;
}

void TMainForm::BuildPopupMenu() {
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    // The tree's menu has captions of its own; each item follows its action.
    auto item = [this](QAction* action) {
        auto* popupItem = PopupMenu->addAction(action->icon(), action->iconText());
        popupItem->setObjectName(QStringLiteral("Popup") + action->objectName());
        popupItem->setEnabled(action->isEnabled());
        connect(action, &QAction::changed, popupItem,
                [action, popupItem] { popupItem->setEnabled(action->isEnabled()); });
        connect(popupItem, &QAction::triggered, action, &QAction::trigger);
    };
    item(FileNewClass);
    item(FileNewPupil);
    PopupMenu->addSeparator();
    item(FileDelete);
    item(FilePrint);
    item(FileModifyMatters);
    PopupMenu->addSeparator();
    item(FileImportPupils);
    item(FileStatistics);
    item(FileClassEntry);
    item(FileExportResults);
    PopupMenu->addSeparator();
    item(FileRenameClass);
    item(FileMovePupil);
    item(FileSortPupils);
    PopupMenu->addSeparator();
    PopupMenu->addAction(TreeExpandAll);
    PopupMenu->addAction(TreeCollapseAll);
    connect(Tree, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        PopupMenu->popup(Tree->viewport()->mapToGlobal(position));
    });
}

void TMainForm::FileToolBarExecute() {
    const bool visible = !ToolBar->isVisibleTo(this);
    ToolBar->setVisible(visible);
    FileToolBar->setChecked(visible);
}

void TMainForm::FileBigIconsExecute() {
    // Switches to the other look. The look in force is read from the tool bar,
    // not from the check mark, which a click on the item has toggled already.
    const bool big = ToolBar->iconSize().width() != kBigLook.IconSize;
    const TToolBarLook& look = big ? kBigLook : kSmallLook;
    ToolBar->setIconSize(QSize(look.IconSize, look.IconSize));
    ToolBar->setToolButtonStyle(look.Style);
    for (QAction* action : ToolBar->actions()) {
        if (auto* button = qobject_cast<QToolButton*>(ToolBar->widgetForAction(action)))
            button->setFixedSize(look.ButtonSize);
    }
    FToolBarHints = look.Hints;
    Tree->setIconSize(QSize(look.IconSize, look.IconSize));
    Tree->setIndentation(look.TreeIndent);
    FileBigIconsItem->setChecked(big);
}

void TMainForm::TreeExpandAllExecute() {
    Tree->expandAll();
}

void TMainForm::TreeCollapseAllExecute() {
    Tree->collapseAll();
}
