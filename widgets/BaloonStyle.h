#pragma once

#include <QChar>
#include <QColor>
#include <QFont>

// Side of the mouse pointer the balloon's body extends to.
enum class TBaloonAlign { alRight, alLeft };

enum class TPShape { sRoundRect, sRectangle };

// Horizontal alignment of each line of a balloon's text.
enum class TTextAlign { taCenter, taLeft, taRight };

// Everything that decides how one balloon looks, apart from its text.
struct TBaloonStyle {
    TBaloonAlign Align = TBaloonAlign::alRight;
    TPShape Shape = TPShape::sRoundRect;
    TTextAlign TextAlign = TTextAlign::taCenter;
    QChar DivisionChar = u'@';
    QFont Font;
    QColor Color = Qt::white;
};
