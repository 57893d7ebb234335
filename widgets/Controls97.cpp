#include "widgets/Controls97.h"

#include <QKeyEvent>

namespace {

bool IsReturn(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

} // namespace

TEdit97::TEdit97(QWidget* parent)
    : QLineEdit(parent) {}

void TEdit97::keyPressEvent(QKeyEvent* event) {
    if (FReturnMovesFocus && IsReturn(*event)) {
        focusNextChild();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

TComboBox97::TComboBox97(QWidget* parent)
    : QComboBox(parent) {
    setEditable(false);
}

void TComboBox97::keyPressEvent(QKeyEvent* event) {
    if (FReturnMovesFocus && IsReturn(*event)) {
        focusNextChild();
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}
