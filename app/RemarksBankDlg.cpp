#include "app/RemarksBankDlg.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kThemeRole = Qt::UserRole;
constexpr int kRemarkRole = Qt::UserRole + 1;

// For the search: no accents, no capitals.
QString Folded(const QString& text) {
    QString folded;
    for (QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (!c.isMark())
            folded += c.toLower();
    }
    return folded;
}

QPushButton* NewButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

TRemarksBankDlg::TRemarksBankDlg(TRemarksBank bank, TRemarkPupil pupil, QWidget* parent)
    : QDialog(parent)
    , FBank(std::move(bank))
    , FPupil(std::move(pupil)) {
    setObjectName(QStringLiteral("RemarksBankDlg"));
    setWindowTitle(QStringLiteral("Appréciations"));
    resize(640, 440);

    SearchEdt = new QLineEdit(this);
    SearchEdt->setObjectName(QStringLiteral("SearchEdt"));
    SearchEdt->setPlaceholderText(
        QStringLiteral("Rechercher (mots de l'appréciation ou du thème)"));
    SearchEdt->setClearButtonEnabled(true);
    SearchEdt->installEventFilter(this);
    auto* searchLbl = new QLabel(QStringLiteral("&Rechercher :"), this);
    searchLbl->setBuddy(SearchEdt);

    BankTree = new QTreeWidget(this);
    BankTree->setObjectName(QStringLiteral("BankTree"));
    BankTree->setHeaderHidden(true);
    BankTree->setColumnCount(1);
    BankTree->setWordWrap(true);
    BankTree->setUniformRowHeights(false);
    BankTree->setEditTriggers(QAbstractItemView::EditKeyPressed);
    BankTree->setAccessibleName(QStringLiteral("Appréciations par thème"));
    BankTree->header()->setStretchLastSection(true);
    BankTree->installEventFilter(this);

    PreviewLbl = new QLabel(this);
    PreviewLbl->setObjectName(QStringLiteral("PreviewLbl"));
    PreviewLbl->setWordWrap(true);
    PreviewLbl->setTextFormat(Qt::PlainText);
    PreviewLbl->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    PreviewLbl->setMinimumHeight(48);
    PreviewLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PreviewLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const QString who = (FPupil.Name + u' ' + FPupil.Surname).trimmed();
    auto* previewTitle = new QLabel(who.isEmpty() ? QStringLiteral("Aperçu :")
                                                  : QStringLiteral("Aperçu pour %1 :").arg(who),
                                    this);
    previewTitle->setObjectName(QStringLiteral("PreviewTitleLbl"));
    previewTitle->setTextFormat(Qt::PlainText);

    InsertBtn = NewButton("InsertBtn", QStringLiteral("&Insérer"), this);
    NewRemarkBtn = NewButton("NewRemarkBtn", QStringLiteral("&Nouvelle appréciation"), this);
    NewThemeBtn = NewButton("NewThemeBtn", QStringLiteral("Nouveau &thème"), this);
    EditBtn = NewButton("EditBtn", QStringLiteral("&Modifier"), this);
    DeleteBtn = NewButton("DeleteBtn", QStringLiteral("&Supprimer"), this);
    MoveBtn = new QToolButton(this);
    MoveBtn->setObjectName(QStringLiteral("MoveBtn"));
    MoveBtn->setText(QStringLiteral("&Déplacer vers"));
    MoveBtn->setPopupMode(QToolButton::InstantPopup);
    MoveBtn->setToolButtonStyle(Qt::ToolButtonTextOnly);
    MoveBtn->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* moveMenu = new QMenu(MoveBtn);
    MoveBtn->setMenu(moveMenu);
    connect(moveMenu, &QMenu::aboutToShow, this, &TRemarksBankDlg::FillMoveMenu);
    CloseBtn = NewButton("CloseBtn", QStringLiteral("Fermer"), this);
    EditBtn->setToolTip(QStringLiteral("F2"));
    DeleteBtn->setToolTip(QStringLiteral("Suppr"));

    auto* buttons = new QVBoxLayout;
    for (QWidget* button : std::initializer_list<QWidget*>{InsertBtn, NewRemarkBtn, NewThemeBtn,
                                                           EditBtn, DeleteBtn, MoveBtn})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(CloseBtn);
    auto* search = new QHBoxLayout;
    search->addWidget(searchLbl);
    search->addWidget(SearchEdt, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(search);
    left->addWidget(BankTree, 1);
    left->addWidget(previewTitle);
    left->addWidget(PreviewLbl);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(SearchEdt, &QLineEdit::textChanged, this, &TRemarksBankDlg::ApplySearch);
    connect(BankTree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (Place(item).second >= 0)
            InsertSelected();
    });
    connect(BankTree, &QTreeWidget::itemChanged, this, &TRemarksBankDlg::ItemEdited);
    connect(BankTree, &QTreeWidget::currentItemChanged, this, &TRemarksBankDlg::UpdatePreview);
    connect(InsertBtn, &QPushButton::clicked, this, &TRemarksBankDlg::InsertSelected);
    connect(NewRemarkBtn, &QPushButton::clicked, this, &TRemarksBankDlg::NewRemark);
    connect(NewThemeBtn, &QPushButton::clicked, this, &TRemarksBankDlg::NewTheme);
    connect(EditBtn, &QPushButton::clicked, this, &TRemarksBankDlg::EditSelected);
    connect(DeleteBtn, &QPushButton::clicked, this, &TRemarksBankDlg::DeleteSelected);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);

    Rebuild();
    SearchEdt->setFocus();
}

std::pair<int, int> TRemarksBankDlg::Place(const QTreeWidgetItem* item) const {
    if (!item)
        return {-1, -1};
    return {item->data(0, kThemeRole).toInt(), item->data(0, kRemarkRole).toInt()};
}

QTreeWidgetItem* TRemarksBankDlg::ItemAt(int theme, int remark) const {
    QTreeWidgetItem* themeItem = BankTree->topLevelItem(theme);
    if (!themeItem || remark < 0)
        return themeItem;
    return themeItem->child(remark);
}

int TRemarksBankDlg::CurrentTheme() const {
    const int theme = Place(BankTree->currentItem()).first;
    return theme >= 0 ? theme : (FBank.Themes.empty() ? -1 : 0);
}

void TRemarksBankDlg::Rebuild() {
    const auto [theme, remark] = Place(BankTree->currentItem());
    FBuilding = true;
    BankTree->clear();
    for (int t = 0; t < int(FBank.Themes.size()); ++t) {
        const TRemarkTheme& entry = FBank.Themes[std::size_t(t)];
        auto* themeItem = new QTreeWidgetItem(BankTree, {entry.Name});
        themeItem->setData(0, kThemeRole, t);
        themeItem->setData(0, kRemarkRole, -1);
        themeItem->setFlags(themeItem->flags() | Qt::ItemIsEditable);
        QFont bold = themeItem->font(0);
        bold.setBold(true);
        themeItem->setFont(0, bold);
        for (int r = 0; r < int(entry.Remarks.size()); ++r) {
            auto* item = new QTreeWidgetItem(themeItem, {entry.Remarks[r]});
            item->setData(0, kThemeRole, t);
            item->setData(0, kRemarkRole, r);
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        }
    }
    BankTree->expandAll();
    FBuilding = false;
    ApplySearch();
    Select(theme, remark);
}

void TRemarksBankDlg::Select(int theme, int remark) {
    if (FBank.Themes.empty())
        return;
    theme = std::clamp(theme, 0, int(FBank.Themes.size()) - 1);
    const int remarks = int(FBank.Themes[std::size_t(theme)].Remarks.size());
    remark = remarks == 0 ? -1 : std::min(remark, remarks - 1);
    if (QTreeWidgetItem* item = ItemAt(theme, remark)) {
        BankTree->setCurrentItem(item);
        BankTree->scrollToItem(item);
    }
}

void TRemarksBankDlg::SearchFor(const QString& text) {
    SearchEdt->setText(text);
}

void TRemarksBankDlg::ApplySearch() {
    const QStringList words = Folded(SearchEdt->text()).split(u' ', Qt::SkipEmptyParts);
    auto matches = [&words](const QString& text) {
        const QString folded = Folded(text);
        for (const QString& word : words) {
            if (!folded.contains(word))
                return false;
        }
        return true;
    };
    QTreeWidgetItem* firstShown = nullptr;
    for (int t = 0; t < BankTree->topLevelItemCount(); ++t) {
        QTreeWidgetItem* themeItem = BankTree->topLevelItem(t);
        const bool wholeTheme = !words.isEmpty() && matches(themeItem->text(0));
        int shown = 0;
        for (int r = 0; r < themeItem->childCount(); ++r) {
            QTreeWidgetItem* item = themeItem->child(r);
            const bool show = wholeTheme || matches(item->text(0));
            item->setHidden(!show);
            if (show) {
                ++shown;
                if (!firstShown)
                    firstShown = item;
            }
        }
        themeItem->setHidden(!words.isEmpty() && shown == 0);
    }
    // What Return would insert is always in view and chosen.
    QTreeWidgetItem* current = BankTree->currentItem();
    if (!words.isEmpty() && firstShown &&
        (!current || current->isHidden() || Place(current).second < 0))
        BankTree->setCurrentItem(firstShown);
    UpdatePreview();
}

QStringList TRemarksBankDlg::ShownLines() const {
    QStringList lines;
    for (int t = 0; t < BankTree->topLevelItemCount(); ++t) {
        const QTreeWidgetItem* themeItem = BankTree->topLevelItem(t);
        if (themeItem->isHidden())
            continue;
        lines << themeItem->text(0);
        for (int r = 0; r < themeItem->childCount(); ++r) {
            if (!themeItem->child(r)->isHidden())
                lines << QStringLiteral("  ") + themeItem->child(r)->text(0);
        }
    }
    return lines;
}

void TRemarksBankDlg::UpdatePreview() {
    const auto [theme, remark] = Place(BankTree->currentItem());
    const bool isRemark = theme >= 0 && remark >= 0 && !BankTree->currentItem()->isHidden();
    InsertBtn->setEnabled(isRemark);
    EditBtn->setEnabled(theme >= 0);
    DeleteBtn->setEnabled(theme >= 0);
    MoveBtn->setEnabled(isRemark && FBank.Themes.size() > 1);
    PreviewLbl->setText(isRemark
                            ? AgreeRemark(FBank.Themes[std::size_t(theme)].Remarks[remark], FPupil)
                            : QString());
}

void TRemarksBankDlg::InsertSelected() {
    const auto [theme, remark] = Place(BankTree->currentItem());
    if (theme < 0 || remark < 0 || BankTree->currentItem()->isHidden())
        return;
    FChosen = AgreeRemark(FBank.Themes[std::size_t(theme)].Remarks[remark], FPupil);
    accept();
}

void TRemarksBankDlg::NewRemark() {
    if (FBank.Themes.empty())
        FBank.Themes.push_back({BankThemeName(QString()), {}});
    const int theme = CurrentTheme();
    QStringList& remarks = FBank.Themes[std::size_t(theme)].Remarks;
    const auto [selectedTheme, selectedRemark] = Place(BankTree->currentItem());
    // Below the selected remark, else at the end of the theme.
    const int at =
        selectedTheme == theme && selectedRemark >= 0 ? selectedRemark + 1 : int(remarks.size());
    remarks.insert(at, QStringLiteral("Nouvelle appréciation pour {prénom}."));
    FChanged = true;
    SearchEdt->clear();
    Rebuild();
    Select(theme, at);
    BankTree->editItem(BankTree->currentItem());
}

void TRemarksBankDlg::NewTheme() {
    QString name = QStringLiteral("Nouveau thème");
    for (int n = 2;; ++n) {
        const bool taken = std::any_of(FBank.Themes.begin(), FBank.Themes.end(),
                                       [&](const TRemarkTheme& t) { return t.Name == name; });
        if (!taken)
            break;
        name = QStringLiteral("Nouveau thème %1").arg(n);
    }
    FBank.Themes.push_back({name, {}});
    FChanged = true;
    SearchEdt->clear();
    Rebuild();
    Select(int(FBank.Themes.size()) - 1, -1);
    BankTree->editItem(BankTree->currentItem());
}

void TRemarksBankDlg::EditSelected() {
    if (QTreeWidgetItem* item = BankTree->currentItem())
        BankTree->editItem(item);
}

void TRemarksBankDlg::ItemEdited(QTreeWidgetItem* item) {
    if (FBuilding)
        return;
    const auto [theme, remark] = Place(item);
    if (theme < 0)
        return;
    TRemarkTheme& entry = FBank.Themes[std::size_t(theme)];
    QString text;
    if (remark < 0) {
        text = BankThemeName(item->text(0));
        const bool taken =
            std::any_of(FBank.Themes.begin(), FBank.Themes.end(),
                        [&](const TRemarkTheme& t) { return &t != &entry && t.Name == text; });
        if (taken) {
            QMessageBox::information(this, QStringLiteral("Quillorin"),
                                     QStringLiteral("Il y a déjà un thème « %1 ».").arg(text));
            text = entry.Name;
        }
        FChanged = FChanged || text != entry.Name;
        entry.Name = text;
    } else {
        text = BankRemarkText(item->text(0));
        if (text.isEmpty()) {
            // Nothing a line can hold: the remark keeps its old text.
            text = entry.Remarks[remark];
        }
        FChanged = FChanged || text != entry.Remarks[remark];
        entry.Remarks[remark] = text;
    }
    // Shown as stored.
    FBuilding = true;
    item->setText(0, text);
    FBuilding = false;
    UpdatePreview();
}

void TRemarksBankDlg::DeleteSelected() {
    const auto [theme, remark] = Place(BankTree->currentItem());
    if (theme < 0)
        return;
    TRemarkTheme& entry = FBank.Themes[std::size_t(theme)];
    if (remark >= 0) {
        entry.Remarks.removeAt(remark);
    } else {
        if (!entry.Remarks.isEmpty() &&
            QMessageBox::question(
                this, QStringLiteral("Quillorin"),
                QStringLiteral("Supprimer le thème « %1 » et ses %2 appréciations ?")
                    .arg(entry.Name)
                    .arg(entry.Remarks.size())) != QMessageBox::Yes)
            return;
        FBank.Themes.erase(FBank.Themes.begin() + theme);
    }
    FChanged = true;
    Rebuild();
    Select(theme, remark);
}

void TRemarksBankDlg::FillMoveMenu() {
    QMenu* menu = MoveBtn->menu();
    menu->clear();
    const int from = Place(BankTree->currentItem()).first;
    for (int t = 0; t < int(FBank.Themes.size()); ++t) {
        if (t == from)
            continue;
        QAction* action = menu->addAction(FBank.Themes[std::size_t(t)].Name);
        connect(action, &QAction::triggered, this, [this, t] { MoveSelectedTo(t); });
    }
}

void TRemarksBankDlg::MoveSelectedTo(int theme) {
    const auto [from, remark] = Place(BankTree->currentItem());
    if (from < 0 || remark < 0 || theme < 0 || theme >= int(FBank.Themes.size()) || theme == from)
        return;
    const QString text = FBank.Themes[std::size_t(from)].Remarks.takeAt(remark);
    QStringList& target = FBank.Themes[std::size_t(theme)].Remarks;
    target.append(text);
    FChanged = true;
    Rebuild();
    Select(theme, int(target.size()) - 1);
}

bool TRemarksBankDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == SearchEdt) {
        if (enter) {
            InsertSelected();
            return true;
        }
        // The arrows walk the list while the search keeps the focus.
        if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up ||
            key->key() == Qt::Key_PageDown || key->key() == Qt::Key_PageUp) {
            QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
            QCoreApplication::sendEvent(BankTree, &copy);
            return true;
        }
    } else if (watched == BankTree) {
        // While a label is edited its editor has the keys, not the tree.
        if (enter) {
            if (Place(BankTree->currentItem()).second >= 0)
                InsertSelected();
            else if (QTreeWidgetItem* item = BankTree->currentItem())
                item->setExpanded(!item->isExpanded());
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            DeleteSelected();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
