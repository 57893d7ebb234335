#include "widgets/Controls97.h"

#include <QPainter>

TEdit97::TEdit97(QWidget* parent)
    : TReturnMovesFocus<QLineEdit>(parent) {}

TComboBox97::TComboBox97(QWidget* parent)
    : TReturnMovesFocus<QComboBox>(parent) {
    setEditable(false);
}

TButton97::TButton97(const QString& text, QWidget* parent)
    : QPushButton(text, parent) {
    setFlat(true);
    setAttribute(Qt::WA_Hover);
}

void TButton97::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    QPainter painter(this);
    const bool lit = isEnabled() && (underMouse() || hasFocus() || isDown());
    painter.setPen(palette().color(lit ? QPalette::Highlight : QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
