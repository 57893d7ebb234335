#include "app/DialogFrame.h"

#include "widgets/Controls97.h"

#include <QDialog>
#include <QScreen>

void CentreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

QPushButton* NewFlatButton(QDialog& dialog, const char* name, const char* text, int left, int top) {
    auto* button = new TButton97(QString::fromUtf8(text), &dialog);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, 75, 25);
    return button;
}
