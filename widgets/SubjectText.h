#pragma once

#include <QRect>
#include <QString>

class TGridTextMeter;

// The text of a subject line as a balloon shows it: without its leading "$",
// "_", blanks and tabs, in any mix.
QString StripSubjectPrefix(const QString& text);

// A subject cell's text as drawn: the name alone, moved right one "_" width
// per depth level and cut with "..." when the stored text is too wide.
struct TSubjectText {
    QString Text;
    QRect Rect;
};

TSubjectText LayoutSubjectText(const QString& cellText, QRect rect, const TGridTextMeter& meter);
