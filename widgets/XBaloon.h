#pragma once

#include "widgets/BaloonStyle.h"

#include <QPoint>
#include <QString>

#include <memory>

class TBaloonWindow;

// A speech balloon next to the mouse pointer. It holds at most one window:
// every new text replaces the balloon shown before.
class TXBaloon {
public:
    TXBaloon();
    ~TXBaloon();
    TXBaloon(const TXBaloon&) = delete;
    TXBaloon& operator=(const TXBaloon&) = delete;

    // Shows Text at the mouse pointer; an empty text leaves everything as it is.
    void ShowText(const QString& Text);
    // The same at a given screen position, such as that of a mouse event.
    void ShowTextAt(const QString& Text, QPoint GlobalPos);
    void HideBaloon();
    bool IsShowing() const;
    // The window currently built, if any (for inspection).
    const TBaloonWindow* Window() const { return Current.get(); }

    TBaloonAlign Align = TBaloonAlign::alRight;
    QColor Color;
    QFont Font;
    QChar DivisionChar = u'@';
    bool HideIfMouseMove = true;
    bool HideIfMouseClick = false;
    TPShape Shape = TPShape::sRoundRect;
    TTextAlign TextAlign = TTextAlign::taCenter;

private:
    std::unique_ptr<TBaloonWindow> Current;
};
