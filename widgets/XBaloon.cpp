#include "widgets/XBaloon.h"

#include "widgets/BaloonWindow.h"

#include <QCursor>
#include <QPalette>
#include <QToolTip>

TXBaloon::TXBaloon()
    : Color(QPalette().color(QPalette::Base))
    , Font(QToolTip::font()) {}

TXBaloon::~TXBaloon() = default;

void TXBaloon::ShowText(const QString& Text) {
    ShowTextAt(Text, QCursor::pos());
}

void TXBaloon::ShowTextAt(const QString& Text, QPoint GlobalPos) {
    if (Text.isEmpty())
        return;
    Current.reset();
    Current = std::make_unique<TBaloonWindow>(HideIfMouseMove, HideIfMouseClick);
    Current->SetCanvasFont(Font);
    Current->SetColor(Color);
    Current->SetAlign(Align);
    Current->PopupAt(GlobalPos, Text, Shape, TextAlign, DivisionChar);
}

void TXBaloon::HideBaloon() {
    if (Current)
        Current->HideWindow();
}

bool TXBaloon::IsShowing() const {
    return Current && Current->IsShowing();
}
