#include "widgets/BaloonWindow.h"

#include "widgets/BaloonImage.h"
#include "widgets/ResourceImage.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

TBaloonWindow::TBaloonWindow(bool HideIfMouseMove, bool HideIfMouseClick)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus)
    , FTail(ReadResourceImage(u":/widgets/tail.xpm"_s))
    , FTailLeft(ReadResourceImage(u":/widgets/tailleft.xpm"_s))
    , FHideIfMouseMove(HideIfMouseMove)
    , FHideIfMouseClick(HideIfMouseClick) {
    setObjectName(u"BaloonWindow"_s);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

void TBaloonWindow::PopupAt(QPoint Point, const QString& Text, TPShape Shape, TTextAlign TextAlign,
                            QChar DivisionChar) {
    if (FShowing)
        hide();
    const TBaloonStyle style{FAlign, Shape, TextAlign, DivisionChar, FCanvasFont, FColor};
    const TBaloonImage built =
        BuildBaloonImage(Point.x(), Point.y() - 15, Text, style,
                         FAlign == TBaloonAlign::alRight ? FTail : FTailLeft);
    FImage = built.Image;
    setGeometry(built.Bounds);
    // The corners around the balloon are cut away with a window shape rather
    // than painted from a screen copy or left translucent: a shape works on
    // X11 without a compositor (Xvfb included), where translucency shows
    // black, and it needs no screen grab, which the offscreen platform and
    // Wayland cannot give and which would show stale pixels under the corners.
    setMask(QBitmap::fromImage(FImage.createAlphaMask()));
    show();
    raise();
    FShowing = true;
}

void TBaloonWindow::HideWindow() {
    FShowing = false;
    hide();
}

void TBaloonWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, FImage);
}

void TBaloonWindow::mouseMoveEvent(QMouseEvent* event) {
    if (FHideIfMouseMove)
        HideWindow();
    QWidget::mouseMoveEvent(event);
}

void TBaloonWindow::mousePressEvent(QMouseEvent* event) {
    if (FHideIfMouseClick && event->button() == Qt::LeftButton)
        HideWindow();
    QWidget::mousePressEvent(event);
}
