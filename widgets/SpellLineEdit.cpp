#include "widgets/SpellLineEdit.h"

#include "data/Spelling.h"
#include "widgets/SpellHighlighter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>

#include <memory>

TSpellLineEdit::TSpellLineEdit(QWidget* parent)
    : QLineEdit(parent) {}

void TSpellLineEdit::SetSpelling(TSpelling* spelling, TMessageSink report) {
    if (FSpelling)
        disconnect(FSpelling, nullptr, this, nullptr);
    FSpelling = spelling;
    FReport = std::move(report);
    if (spelling)
        connect(spelling, &TSpelling::Changed, this, qOverload<>(&QWidget::update));
    update();
}

// The line edit keeps where its text is scrolled to; its cursor rectangle
// says it: the cursor stands 5 pixels inside that rectangle.
qreal TSpellLineEdit::TextX(int position) const {
    const QFontMetricsF metrics(font());
    const QString text = displayText();
    const qreal cursorX = cursorRect().left() + 5;
    return cursorX + metrics.horizontalAdvance(text.left(position)) -
           metrics.horizontalAdvance(text.left(cursorPosition()));
}

std::vector<std::pair<int, int>> TSpellLineEdit::MisspeltExtents() {
    std::vector<std::pair<int, int>> extents;
    if (!FSpelling || echoMode() != QLineEdit::Normal)
        return extents;
    for (const TWordSpan& span : FSpelling->Misspelt(displayText()))
        extents.emplace_back(qRound(TextX(span.Start)), qRound(TextX(span.Start + span.Length)));
    return extents;
}

void TSpellLineEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    const auto extents = MisspeltExtents();
    if (extents.empty())
        return;
    QPainter painter(this);
    const QRect inside = contentsRect();
    painter.setClipRect(inside);
    const QFontMetricsF metrics(font());
    const qreal y = cursorRect().top() + metrics.ascent() + 2;
    for (const auto& [left, right] : extents)
        DrawSpellingWave(painter, std::max(left, inside.left()), std::min(right, inside.right()),
                         y);
}

QMenu* TSpellLineEdit::CreateSpellingMenu(const QPoint& position) {
    QMenu* menu = createStandardContextMenu();
    if (!FSpelling || echoMode() != QLineEdit::Normal)
        return menu;
    const QString line = text();
    const int at = cursorPositionAt(position);
    for (const TWordSpan& span : SpellWords(line)) {
        if (at < span.Start || at > span.Start + span.Length)
            continue;
        QPointer<TSpellLineEdit> self(this);
        auto replace = [self, span](const QString& word) {
            if (!self)
                return;
            self->setSelection(span.Start, span.Length);
            self->insert(word);
        };
        AddSpellingEntries(*menu, *FSpelling, line.mid(span.Start, span.Length), replace, FReport);
        break;
    }
    return menu;
}

void TSpellLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu(CreateSpellingMenu(event->pos()));
    menu->exec(event->globalPos());
}

void TSpellItemDelegate::SetSpelling(TSpelling* spelling, TMessageSink report) {
    FSpelling = spelling;
    FReport = std::move(report);
    if (!spelling)
        return;
    connect(spelling, &TSpelling::Changed, this, [this] {
        if (auto* view = qobject_cast<QAbstractItemView*>(parent()))
            view->viewport()->update();
    });
}

QWidget* TSpellItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    if (!FSpelling)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto* edit = new TSpellLineEdit(parent);
    edit->setFrame(false);
    edit->SetSpelling(FSpelling, FReport);
    return edit;
}

void TSpellItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (!FSpelling)
        return;
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const std::vector<TWordSpan> misspelt = FSpelling->Misspelt(item.text);
    if (misspelt.empty())
        return;
    const QWidget* widget = option.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QFontMetricsF metrics(item.font);
    const qreal left = textRect.left() + margin;
    const qreal right = textRect.right() - margin;
    const qreal baseline =
        textRect.top() + (textRect.height() - metrics.height()) / 2 + metrics.ascent() + 2;
    // An elided label shows only its start: a word cut off is not marked.
    for (const TWordSpan& span : misspelt) {
        const qreal from = left + metrics.horizontalAdvance(item.text.left(span.Start));
        const qreal to = left + metrics.horizontalAdvance(item.text.left(span.Start + span.Length));
        if (to <= right)
            DrawSpellingWave(*painter, from, to, baseline);
    }
}
