#pragma once

#include "data/Messages.h"
#include "data/SpellChecker.h"

#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>

#include <utility>
#include <vector>

class QMenu;
class TSpelling;

// A one-line edit that underlines its misspelt words with the red wavy
// line (a line edit has no highlighter: it draws the lines itself over its
// text) and puts the spelling entries on top of its edit menu.
class TSpellLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TSpellLineEdit(QWidget* parent = nullptr);

    void SetSpelling(TSpelling* spelling, TMessageSink report = {});
    // Where the misspelt words are drawn: left and right, in the edit's
    // coordinates.
    std::vector<std::pair<int, int>> MisspeltExtents();
    // The edit menu for a click at the position; the caller owns it.
    QMenu* CreateSpellingMenu(const QPoint& position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    qreal TextX(int position) const;

    QPointer<TSpelling> FSpelling;
    TMessageSink FReport;
};

// An item delegate for labels the teacher types (the subject editor's
// tree): the misspelt words are underlined where the labels are shown, and
// a label is edited in a TSpellLineEdit.
class TSpellItemDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void SetSpelling(TSpelling* spelling, TMessageSink report = {});

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    QPointer<TSpelling> FSpelling;
    TMessageSink FReport;
};
