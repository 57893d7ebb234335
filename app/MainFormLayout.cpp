// The main window's controls and their layout.

#include "app/MainForm.h"

#include "app/ClassTreeView.h"
#include "app/StatusBar.h"
#include "app/Version.h"
#include "widgets/Controls97.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceModel.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int kSplitterWidth = 3;
constexpr int kDesignedTreeWidth = 169;
constexpr int kTopPanelHeight = 52;
constexpr int kTopPanelMinWidth = 400;
constexpr int kRemarksHeight = 57;
constexpr int kRemarksMinHeight = 40;

QLabel* NewLabel(const char* name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

template <typename Control> Control* NewControl(const char* name, QWidget* parent) {
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

QSplitter* NewSplitter(Qt::Orientation orientation, const char* name, QWidget* parent) {
    auto* splitter = new QSplitter(orientation, parent);
    splitter->setObjectName(QString::fromLatin1(name));
    splitter->setHandleWidth(kSplitterWidth);
    splitter->setOpaqueResize(true);
    return splitter;
}

} // namespace

void TMainForm::BuildLayout() {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Quillorin"));
    setGeometry(237, 106, 580, 443);

    FColumns = NewSplitter(Qt::Horizontal, "MainSplitter", this);
    LeftPnl = NewControl<QWidget>("LeftPnl", FColumns);
    Tree = NewControl<TClassTreeView>("Tree", LeftPnl);
    Tree->setModel(FModel);
    Tree->setHeaderHidden(true);
    Tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tree->setSelectionMode(QAbstractItemView::SingleSelection);
    Tree->setFrameShape(QFrame::NoFrame);
    Tree->setContextMenuPolicy(Qt::CustomContextMenu);
    Tree->setIconSize(QSize(TImageLists::BigSize, TImageLists::BigSize));
    Tree->setIndentation(35);
    Tree->setUniformRowHeights(true);
    Tree->viewport()->installEventFilter(this);
    auto* treeLayout = new QVBoxLayout(LeftPnl);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(Tree);

    MainPanel = NewControl<QWidget>("MainPanel", FColumns);
    FRows = NewSplitter(Qt::Vertical, "RowSplitter", MainPanel);
    auto* mainLayout = new QVBoxLayout(MainPanel);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addWidget(FRows);

    TopPanel = BuildIdentityPanel();
    CenterPnl = NewControl<QWidget>("CenterPnl", FRows);
    Grid = NewControl<TEditGrid>("Grid", CenterPnl);
    Grid->setFrameShape(QFrame::NoFrame);
    Grid->hide();
    auto* centerLayout = new QVBoxLayout(CenterPnl);
    centerLayout->setContentsMargins(0, 0, 0, 0);
    centerLayout->addWidget(Grid);
    BottomPnl = BuildRemarksPanel();
    FRows->addWidget(TopPanel);
    FRows->addWidget(CenterPnl);
    FRows->addWidget(BottomPnl);
    FRows->setStretchFactor(1, 1);
    FRows->setCollapsible(0, false);
    FRows->setCollapsible(1, false);
    FRows->setCollapsible(2, false);
    FRows->setSizes({kTopPanelHeight, 443 - kTopPanelHeight - kRemarksHeight, kRemarksHeight});
    FRows->handle(1)->setObjectName(QStringLiteral("TopSplitter"));
    FRows->handle(2)->setObjectName(QStringLiteral("BottomSplitter"));

    FColumns->addWidget(LeftPnl);
    FColumns->addWidget(MainPanel);
    FColumns->setStretchFactor(1, 1);
    FColumns->setCollapsible(1, false);
    FColumns->setSizes({kDesignedTreeWidth, 580 - kDesignedTreeWidth});
    FColumns->handle(1)->setObjectName(QStringLiteral("LeftSplitter"));
    setCentralWidget(FColumns);
    // Nothing is selected yet: the labels and the remarks wait for a pupil.
    for (QWidget* control : std::initializer_list<QWidget*>{SurnameLbl, NameLbl, BirthDayLbl,
                                                            SexeLbl, RemarksLbl, RemarksMemo})
        control->setEnabled(false);

    BuildStatusBar();
}

QWidget* TMainForm::BuildIdentityPanel() {
    auto* panel = NewControl<QWidget>("TopPanel", FRows);
    panel->setMinimumSize(kTopPanelMinWidth, kTopPanelHeight);
    SurnameLbl = NewLabel("SurnameLbl", QStringLiteral("Nom :"), panel);
    NameLbl = NewLabel("NameLbl", QStringLiteral("Prenom :"), panel);
    BirthDayLbl = NewLabel("BirthDayLbl", QStringLiteral("Date De Naissance :"), panel);
    SexeLbl = NewLabel("SexeLbl", QStringLiteral("Sexe :"), panel);
    SurnameEdt = NewControl<TEdit97>("SurnameEdt", panel);
    NameEdt = NewControl<TEdit97>("NameEdt", panel);
    BirthdayEdt = NewControl<TEdit97>("BirthdayEdt", panel);
    SexeCombo = NewControl<TComboBox97>("SexeCombo", panel);
    SurnameLbl->setBuddy(SurnameEdt);
    NameLbl->setBuddy(NameEdt);
    BirthDayLbl->setBuddy(BirthdayEdt);
    SexeLbl->setBuddy(SexeCombo);

    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setVerticalSpacing(2);
    layout->addWidget(SurnameLbl, 0, 0);
    layout->addWidget(SurnameEdt, 0, 1);
    layout->addWidget(NameLbl, 0, 2);
    layout->addWidget(NameEdt, 0, 3);
    layout->addWidget(BirthDayLbl, 1, 0);
    layout->addWidget(BirthdayEdt, 1, 1);
    layout->addWidget(SexeLbl, 1, 2);
    layout->addWidget(SexeCombo, 1, 3);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(3, 1);
    QWidget::setTabOrder(SurnameEdt, NameEdt);
    QWidget::setTabOrder(NameEdt, BirthdayEdt);
    QWidget::setTabOrder(BirthdayEdt, SexeCombo);

    for (TEdit97* edit : {SurnameEdt, NameEdt, BirthdayEdt})
        connect(edit, &QLineEdit::textChanged, this,
                [this, edit] { RunGuarded(MessageParent(), [&] { EdtChange(edit); }); });
    connect(SexeCombo, &QComboBox::activated, this,
            [this] { RunGuarded(MessageParent(), [&] { EdtChange(SexeCombo); }); });
    return panel;
}

QWidget* TMainForm::BuildRemarksPanel() {
    auto* panel = NewControl<QWidget>("BottomPnl", FRows);
    panel->setMinimumHeight(kRemarksMinHeight);
    RemarksLbl = NewLabel("RemarksLbl", QString(), panel);
    RemarksMemo = NewControl<QPlainTextEdit>("RemarksMemo", panel);
    RemarksMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    RemarksMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RemarksMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RemarksMemo->setMinimumHeight(0);
    // Tab moves on as in every form; Ctrl+Tab types a tab.
    RemarksMemo->setTabChangesFocus(true);
    auto* insertTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), RemarksMemo);
    insertTab->setObjectName(QStringLiteral("RemarksTabShortcut"));
    insertTab->setContext(Qt::WidgetShortcut);
    connect(insertTab, &QShortcut::activated, RemarksMemo,
            [this] { RemarksMemo->insertPlainText(QStringLiteral("\t")); });
    RemarksLbl->setBuddy(RemarksMemo);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(2, 0, 2, 2);
    layout->setSpacing(1);
    layout->addWidget(BuildRemarksHeader(panel));
    layout->addWidget(RemarksMemo, 1);
    connect(RemarksMemo, &QPlainTextEdit::textChanged, this,
            [this] { RunGuarded(MessageParent(), [&] { EdtChange(RemarksMemo); }); });
    return panel;
}

void TMainForm::BuildStatusBar() {
    auto* bar = new TStatusBar({0, 150, 100, 100}, this);
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->SetPanelText(0, QStringLiteral("Version " QUILLORIN_VERSION_TEXT));
    bar->SetPanelBevel(0, false);
    StatusBar = bar;
    setStatusBar(bar);
    FormResize();
}
