#include "widgets/GridInplaceEdit.h"

#include <QCoreApplication>
#include <QKeyEvent>

using namespace Qt::StringLiterals;

TGridInplaceEdit::TGridInplaceEdit(QWidget& grid, QWidget* parent)
    : QLineEdit(parent)
    , Grid(grid) {
    setObjectName(u"InplaceEdit"_s);
    setFrame(false);
    setFont(grid.font());
}

void TGridInplaceEdit::SetColors(const QColor& background, const QColor& text) {
    QPalette colors = palette();
    colors.setColor(QPalette::Base, background);
    colors.setColor(QPalette::Text, text);
    setPalette(colors);
}

void TGridInplaceEdit::keyPressEvent(QKeyEvent* event) {
    if (!BelongsToGrid(*event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent forwarded(event->type(), event->key(), event->modifiers(), event->text(),
                        event->isAutoRepeat(), static_cast<ushort>(event->count()));
    QCoreApplication::sendEvent(&Grid, &forwarded);
    event->accept();
}

bool TGridInplaceEdit::BelongsToGrid(const QKeyEvent& event) const {
    const bool allSelected = selectedText().size() == text().size();
    switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    case Qt::Key_Left:
        return (cursorPosition() == 0 && !hasSelectedText()) || allSelected;
    case Qt::Key_Right:
        return (cursorPosition() == text().size() && !hasSelectedText()) || allSelected;
    default:
        return false;
    }
}
