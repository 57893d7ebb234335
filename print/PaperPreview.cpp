#include "print/PaperPreview.h"

#include <QPaintEvent>
#include <QPainter>

TPaperPreview::TPaperPreview(QWidget* parent)
    : QWidget(parent)
    , FShadowColor(palette().color(QPalette::Dark)) {
    setObjectName(QStringLiteral("PaperPreview"));
    // The whole control is painted on every repaint: erasing first would flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(OuterSize(105), OuterSize(148));
}

template <typename T> void TPaperPreview::Change(T& field, const T& value) {
    if (field == value)
        return;
    field = value;
    update();
}

void TPaperPreview::SetPaperColor(const QColor& value) {
    Change(FPaperColor, value);
}

void TPaperPreview::SetBorderColor(const QColor& value) {
    Change(FBorderColor, value);
}

void TPaperPreview::SetBorderSize(int value) {
    const int width = PaperWidth();
    const int height = PaperHeight();
    Change(FBorderSize, std::max(0, value));
    resize(OuterSize(width), OuterSize(height));
}

void TPaperPreview::SetShadowColor(const QColor& value) {
    Change(FShadowColor, value);
}

void TPaperPreview::SetShadowSize(int value) {
    const int width = PaperWidth();
    const int height = PaperHeight();
    Change(FShadowSize, std::max(0, value));
    resize(OuterSize(width), OuterSize(height));
}

int TPaperPreview::PaperWidth() const {
    return InnerSize(width());
}

int TPaperPreview::PaperHeight() const {
    return InnerSize(height());
}

void TPaperPreview::SetPaperWidth(int value) {
    resize(OuterSize(value), height());
}

void TPaperPreview::SetPaperHeight(int value) {
    resize(width(), OuterSize(value));
}

QRect TPaperPreview::PageRect() const {
    return QRect(
        QPoint(FBorderSize, FBorderSize),
        QPoint(width() - FShadowSize - FBorderSize - 1, height() - FShadowSize - FBorderSize - 1));
}

void TPaperPreview::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const int w = width();
    const int h = height();
    const int s = FShadowSize;
    if (FBorderSize > 0) {
        // The border lies inside the rectangle left of and above the shadow;
        // the paper, filled below, covers its inside.
        painter.fillRect(QRect(0, 0, w - s, h - s), FBorderColor);
    }
    if (s > 0) {
        painter.fillRect(QRect(QPoint(w - s, s), QPoint(w - 1, h - 1)), FShadowColor);
        painter.fillRect(QRect(QPoint(s, h - s), QPoint(w - 1, h - 1)), FShadowColor);
        const QColor ground = parentWidget() ? parentWidget()->palette().color(QPalette::Window)
                                             : palette().color(QPalette::Window);
        painter.fillRect(QRect(QPoint(w - s, 0), QPoint(w - 1, s - 1)), ground);
        painter.fillRect(QRect(QPoint(0, h - s), QPoint(s - 1, h - 1)), ground);
    }
    const QRect page = PageRect();
    painter.fillRect(page, FPaperColor);
    if (OnPaint) {
        painter.save();
        // Clipped to what is to be painted: the owner may keep only the part
        // of a large page around it.
        painter.setClipRect(page & event->rect());
        OnPaint(painter, page);
        painter.restore();
    }
}
