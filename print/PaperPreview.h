#pragma once

#include <QColor>
#include <QWidget>

#include <functional>

// A sheet of paper on the screen: a border, a drop shadow at the right and
// the bottom, and the paper itself, on which the owner paints the page.
// The control's size is the paper's plus the border on both sides and the
// shadow.
class TPaperPreview : public QWidget {
    Q_OBJECT

public:
    explicit TPaperPreview(QWidget* parent = nullptr);

    QColor PaperColor() const { return FPaperColor; }
    void SetPaperColor(const QColor& value);
    QColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(const QColor& value);
    int BorderSize() const { return FBorderSize; }
    void SetBorderSize(int value);
    QColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(const QColor& value);
    int ShadowSize() const { return FShadowSize; }
    void SetShadowSize(int value);

    // The inner paper size in pixels.
    int PaperWidth() const;
    int PaperHeight() const;
    void SetPaperWidth(int value);
    void SetPaperHeight(int value);
    // The control's width or height for an inner paper size, and back.
    int OuterSize(int paper) const { return paper + 2 * FBorderSize + FShadowSize; }
    int InnerSize(int outer) const { return outer - 2 * FBorderSize - FShadowSize; }

    QRect PageRect() const;

    // Paints the page onto the paper rectangle, clipped to it.
    std::function<void(QPainter& painter, const QRect& pageRect)> OnPaint;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    template <typename T> void Change(T& field, const T& value);

    QColor FPaperColor = Qt::white;
    QColor FBorderColor = Qt::black;
    int FBorderSize = 1;
    QColor FShadowColor;
    int FShadowSize = 3;
};
