#pragma once

#include "widgets/BaloonStyle.h"

#include <QImage>
#include <QWidget>

// The top-most popup that shows one pre-rendered balloon. It never takes the
// focus, so the control under the mouse keeps its keyboard input.
class TBaloonWindow : public QWidget {
    Q_OBJECT

public:
    TBaloonWindow(bool HideIfMouseMove, bool HideIfMouseClick);

    // Builds the image for the pointer position Point and shows the window.
    virtual void PopupAt(QPoint Point, const QString& Text, TPShape Shape, TTextAlign TextAlign,
                         QChar DivisionChar);
    void HideWindow();
    bool IsShowing() const { return FShowing; }

    void SetAlign(TBaloonAlign Value) { FAlign = Value; }
    void SetCanvasFont(const QFont& Value) { FCanvasFont = Value; }
    void SetColor(const QColor& Value) { FColor = Value; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TBaloonAlign FAlign = TBaloonAlign::alRight;
    QFont FCanvasFont;
    QColor FColor = Qt::white;
    QImage FTail;
    QImage FTailLeft;
    QImage FImage;
    bool FShowing = false;
    bool FHideIfMouseMove;
    bool FHideIfMouseClick;
};
