#include "subjects/ModifyDlg.h"

#include "data/SubjectImport.h"
#include "subjects/SubjectTree.h"
#include "subjects/SubjectTreeLines.h"
#include "widgets/Controls97.h"
#include "widgets/SpellHighlighter.h"

#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// Room left of the import button and drop-down list.
constexpr int kImportCaptionWidth = 164;

// A panel with a lowered bevel, the control inside filling it.
QFrame* NewSunkenPanel(QWidget* parent, const char* name, QRect place, QWidget* content) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(place);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(panel->frameWidth(), panel->frameWidth(), panel->frameWidth(),
                               panel->frameWidth());
    content->setParent(panel);
    layout->addWidget(content);
    return panel;
}

} // namespace

TModifyDlg::TModifyDlg(const TPData& classRecord, std::vector<TOtherClass> otherClasses,
                       TErrorReport showError, QWidget* parent)
    : QDialog(parent, Qt::Tool)
    , FOtherClasses(std::move(otherClasses))
    , FShowError(std::move(showError)) {
    setObjectName(QStringLiteral("ModifyDlg"));
    setWindowTitle(QStringLiteral("Modifier les matières"));
    BuildLayout();
    BuildPopupMenu();

    for (int i = 0; i < int(FOtherClasses.size()); ++i)
        ClassCombo->addItem(FOtherClasses[std::size_t(i)].Name, i);
    ClassCombo->setCurrentIndex(-1);
    ClassMattersLbl->setText(QStringLiteral("Matières de la classe '") + classRecord.ClassName() +
                             u'\'');
    SetMemoLines(classRecord.Lines());
    AddBtnClick(TFill::Create);
}

void TModifyDlg::BuildLayout() {
    setFixedSize(570, 401);
    // The form was laid out for an 8-point font: its captions fit only so.
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);
    MainPanel = new QFrame(this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    MainPanel->setGeometry(8, 8, 554, 345);

    auto label = [this](const char* name, const QString& text, QPoint place) {
        auto* result = new QLabel(text, MainPanel);
        result->setObjectName(QString::fromLatin1(name));
        result->move(place);
        result->adjustSize();
        return result;
    };
    AvailableMattersLbl =
        label("AvailableMattersLbl", QStringLiteral("Matières disponibles"), {8, 8});
    ClassMattersLbl =
        label("ClassMattersLbl", QStringLiteral("Matières de la classe ___"), {320, 8});
    ClassMattersLbl->setFixedWidth(225);
    Label1 = label("Label1", QStringLiteral("Importer depuis un fichier :"), {8, 294});
    Label2 = label("Label2", QStringLiteral("Importer depuis une autre classe :"), {8, 321});
    // A caption wider than the room before its control wraps rather than
    // hide under it.
    for (QLabel* caption : {Label1, Label2}) {
        if (caption->width() > kImportCaptionWidth) {
            caption->setWordWrap(true);
            caption->setFixedWidth(kImportCaptionWidth);
            caption->setFixedHeight(caption->heightForWidth(kImportCaptionWidth));
            caption->move(caption->x(), caption->y() + 6 - caption->height() / 2);
        }
    }

    AvailableMattersMemo = new QPlainTextEdit;
    AvailableMattersMemo->setObjectName(QStringLiteral("AvailableMattersMemo"));
    AvailableMattersMemo->setFrameStyle(QFrame::NoFrame);
    AvailableMattersMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    AvailableMattersMemo->setTabChangesFocus(false);
    AvailableMattersMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    AvailableMattersMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    AvailableMattersPnl =
        NewSunkenPanel(MainPanel, "AvailableMattersPnl", {8, 24, 225, 260}, AvailableMattersMemo);

    ClassMattersTree = new TSubjectTree;
    ClassMattersTree->setObjectName(QStringLiteral("ClassMattersTree"));
    ClassMattersTree->setFrameStyle(QFrame::NoFrame);
    ClassMattersPnl =
        NewSunkenPanel(MainPanel, "ClassMattersPnl", {320, 24, 225, 260}, ClassMattersTree);

    AddAllBtn =
        NewButton(MainPanel, "AddAllBtn", QStringLiteral("Remplacer ->"), {236, 24, 81, 25});
    AddBtn = NewButton(MainPanel, "AddBtn", QStringLiteral("Ajouter ->"), {236, 56, 81, 25});
    RemoveBtn = NewButton(MainPanel, "RemoveBtn", QStringLiteral("Supprimer"), {236, 88, 81, 25});
    RemoveAllBtn =
        NewButton(MainPanel, "RemoveAllBtn", QStringLiteral("Tout Supprimer"), {236, 120, 81, 25});
    BrowseBtn =
        NewButton(MainPanel, "BrowseBtn", QStringLiteral("Parcourir..."), {176, 290, 150, 25});
    ClassCombo = new TComboBox97(MainPanel);
    ClassCombo->setObjectName(QStringLiteral("ClassCombo"));
    ClassCombo->setGeometry(176, 318, 150, 22);
    // Named for screen readers after the captions beside them.
    AvailableMattersMemo->setAccessibleName(QStringLiteral("Matières disponibles"));
    ClassMattersTree->setAccessibleName(QStringLiteral("Matières de la classe"));
    ClassCombo->setAccessibleName(QStringLiteral("Importer depuis une autre classe"));
    OkBtn = NewButton(this, "OkBtn", QStringLiteral("Ok"), {206, 368, 75, 25});
    CancelBtn = NewButton(this, "CancelBtn", QStringLiteral("Annuler"), {302, 368, 75, 25});
    OkBtn->setDefault(true);

    connect(AddAllBtn, &QPushButton::clicked, this, [this] { AddBtnClick(TFill::Replace); });
    connect(AddBtn, &QPushButton::clicked, this, [this] { AddBtnClick(TFill::Add); });
    connect(RemoveBtn, &QPushButton::clicked, this, &TModifyDlg::RemoveBtnClick);
    connect(RemoveAllBtn, &QPushButton::clicked, this, &TModifyDlg::RemoveAllBtnClick);
    connect(BrowseBtn, &QPushButton::clicked, this, &TModifyDlg::BrowseBtnClick);
    connect(ClassCombo, &QComboBox::activated, this, &TModifyDlg::ClassComboChange);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(ClassMattersTree, &TSubjectTree::InsertKeyPressed, this, &TModifyDlg::InsertNodeClick);
    connect(ClassMattersTree, &TSubjectTree::DeleteKeyPressed, this, &TModifyDlg::RemoveBtnClick);
    connect(ClassMattersTree, &TSubjectTree::PopupWanted, this, &TModifyDlg::PopupMenuPopup);
}

QPushButton* TModifyDlg::NewButton(QWidget* parent, const char* name, const QString& text,
                                   QRect place) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    button->setAutoDefault(false);
    // A caption a little too wide for its button takes a smaller font.
    QFont font = button->font();
    while (QFontMetrics(font).horizontalAdvance(text) > place.width() - 10 && font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    button->setFont(font);
    return button;
}

QAction* TModifyDlg::NewItem(const char* name, const QString& text, const QString& hint) {
    QAction* item = PopupMenu->addAction(text);
    item->setObjectName(QString::fromLatin1(name));
    item->setStatusTip(hint);
    return item;
}

void TModifyDlg::BuildPopupMenu() {
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    InsertNode = NewItem("InsertNode", QStringLiteral("Ajouter une matière"),
                         QStringLiteral("inserts a new node before the focused node"));
    AddChildItem = NewItem("AddChildItem", QStringLiteral("Ajouter une sous-matière"),
                           QStringLiteral("adds a child node to the focused node"));
    PopupMenu->addSeparator()->setObjectName(QStringLiteral("N1"));
    DeleteNode = NewItem("DeleteNode", QStringLiteral("Supprimer matière(s)"), QString());
    PopupMenu->addSeparator()->setObjectName(QStringLiteral("N2"));
    Expand = NewItem("Expand", QStringLiteral("Tout développer"),
                     QStringLiteral("expands all nodes in the tree"));
    Collapse = NewItem("Collapse", QStringLiteral("Tout réduire"),
                       QStringLiteral("collapses all nodes in the tree"));
    SelectAll = NewItem("SelectAll", QStringLiteral("Tout sélectionner"),
                        QStringLiteral("selects all nodes in the tree"));
    connect(InsertNode, &QAction::triggered, this, &TModifyDlg::InsertNodeClick);
    connect(AddChildItem, &QAction::triggered, this, &TModifyDlg::AddChildItemClick);
    connect(DeleteNode, &QAction::triggered, this, &TModifyDlg::RemoveBtnClick);
    connect(Expand, &QAction::triggered, ClassMattersTree, &QTreeView::expandAll);
    connect(Collapse, &QAction::triggered, ClassMattersTree, &QTreeView::collapseAll);
    connect(SelectAll, &QAction::triggered, ClassMattersTree, &TSubjectTree::SelectAllOnLevel);
}

QStringList TModifyDlg::MemoLines() const {
    // A line end at the very end adds no line, as in the files.
    QStringList lines = AvailableMattersMemo->toPlainText().split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void TModifyDlg::SetMemoLines(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += u'\n';
    }
    AvailableMattersMemo->setPlainText(text);
}

void TModifyDlg::AddBtnClick(TFill trigger) {
    ClassMattersTree->setUpdatesEnabled(false);
    if (trigger != TFill::Add)
        ClassMattersTree->clear();
    AppendSubjectLines(*ClassMattersTree, MemoLines());
    if (trigger != TFill::Create)
        DeriveCheckStates(*ClassMattersTree);
    ClassMattersTree->expandAll();
    ClassMattersTree->setUpdatesEnabled(true);
}

void TModifyDlg::RemoveBtnClick() {
    ClassMattersTree->DeleteSelected();
}

void TModifyDlg::RemoveAllBtnClick() {
    ClassMattersTree->clear();
}

void TModifyDlg::BrowseBtnClick() {
    QFileDialog OpenDialog(this);
    OpenDialog.setObjectName(QStringLiteral("OpenDialog"));
    OpenDialog.setFileMode(QFileDialog::ExistingFile);
    OpenDialog.setNameFilter(QStringLiteral("tous (*)"));
    if (OpenDialog.exec() == QDialog::Accepted && !OpenDialog.selectedFiles().isEmpty())
        ImportFile(OpenDialog.selectedFiles().first());
}

void TModifyDlg::ImportFile(const QString& path) {
    const TSubjectImport imported = ReadSubjectFile(path);
    if (!imported.Ok()) {
        FShowError(this, imported.Error);
        return;
    }
    SetMemoLines(imported.Lines);
    ClassCombo->setCurrentIndex(-1);
}

void TModifyDlg::ClassComboChange(int index) {
    const int chosen = ClassCombo->itemData(index).toInt();
    if (chosen >= 0 && chosen < int(FOtherClasses.size()))
        SetMemoLines(FOtherClasses[std::size_t(chosen)].Matters);
}

void TModifyDlg::PopupMenuPopup(const QPoint& position) {
    const bool selected = !ClassMattersTree->SelectedInOrder().isEmpty();
    DeleteNode->setEnabled(selected);
    AddChildItem->setEnabled(selected);
    PopupMenu->popup(position);
}

void TModifyDlg::StartEditing(QTreeWidgetItem* node) {
    ClassMattersTree->scrollToItem(node);
    ClassMattersTree->setCurrentItem(node, 0, QItemSelectionModel::NoUpdate);
    ClassMattersTree->editItem(node);
}

void TModifyDlg::InsertNodeClick() {
    const QList<QTreeWidgetItem*> selected = ClassMattersTree->SelectedInOrder();
    const QString text = QStringLiteral("Nouvelle matière");
    QTreeWidgetItem* last = nullptr;
    if (selected.isEmpty())
        last = AppendSubjectNode(*ClassMattersTree, nullptr, text, true);
    for (QTreeWidgetItem* node : selected)
        last = AppendSubjectNode(*ClassMattersTree, node->parent(), text, true);
    // Only one label can be edited at a time: the last one made.
    StartEditing(last);
}

void TModifyDlg::AddChildItemClick() {
    QTreeWidgetItem* last = nullptr;
    for (QTreeWidgetItem* node : ClassMattersTree->SelectedInOrder()) {
        node->setCheckState(0, Qt::Unchecked);
        last = AppendSubjectNode(*ClassMattersTree, node, QStringLiteral("Nouvelle Matière"), true);
        node->setExpanded(true);
    }
    if (last)
        StartEditing(last);
}

void TModifyDlg::done(int result) {
    SetMemoLines(EncodeSubjectTree(*ClassMattersTree));
    QDialog::done(result);
}

void TModifyDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    OkBtn->setFocus();
}

void TModifyDlg::SetSpelling(TSpelling* spelling,
                             const std::function<void(const QString&)>& report) {
    ClassMattersTree->SetSpelling(spelling, report);
    AttachSpelling(AvailableMattersMemo, spelling, report);
}
