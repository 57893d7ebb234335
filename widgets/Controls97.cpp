#include "widgets/Controls97.h"

TEdit97::TEdit97(QWidget* parent)
    : TReturnMovesFocus<QLineEdit>(parent) {}

TComboBox97::TComboBox97(QWidget* parent)
    : TReturnMovesFocus<QComboBox>(parent) {
    setEditable(false);
}
