#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QSize>
#include <QString>

// Measures cell texts in the grid's font. The same subject and header texts
// come back at every refresh, so the widths of whole cell texts are kept.
class TGridTextMeter {
public:
    explicit TGridTextMeter(const QFont& font);
    void SetFont(const QFont& font);

    // The text's size plus 4 pixels each way; a dimension of 4 or less is 0.
    QSize MeasureText(const QString& text) const;
    // The same without keeping the width, for texts built while drawing.
    QSize MeasureTransient(const QString& text) const;

private:
    int PaddedHeight() const;

    QFontMetrics Metrics;
    mutable QHash<QString, int> Widths;
};
