#pragma once

#include "data/ClassStatistics.h"
#include "data/ColHints.h"

#include <QImage>
#include <QWidget>

#include <vector>

class QPainter;

// A class at a glance: a legend, then one line per subject line of the
// class, indented as in the grid. An evaluated subject has a bar split into
// the shares of pupils at A, B, C and "?", then its number of marks, their
// average and median; a heading has its name alone.
class TStatisticsChart : public QWidget {
    Q_OBJECT

public:
    explicit TStatisticsChart(QWidget* parent = nullptr);

    void SetStatistics(QString title, std::vector<TSubjectStatistics> subjects);
    void SetColHints(const TColHints& hints);
    void SetDecimalSeparator(QChar separator);
    const std::vector<TSubjectStatistics>& Subjects() const { return FSubjects; }

    static QColor LevelColor(int level);

    // The height the chart needs at its width, or at the width given.
    int ChartHeight() const { return ChartHeight(width()); }
    int ChartHeight(int width) const;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return ChartHeight(width); }
    // Draws the chart into the painter's rectangle, from its top; only the
    // lines that meet `exposed`, when it is given.
    void Render(QPainter& painter, const QRect& area, const QRect& exposed = {}) const;
    QImage ToImage() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where things go at a width: the legend flows over as many lines as it
    // needs; the subject names give up room before the bars do; below that
    // the numbers go under their bar.
    struct TGeometry {
        QList<QPoint> LegendPlaces; // per level, relative to the legend's top left
        int LegendLines = 1;
        int LabelWidth = 0;
        int BarLeft = 0; // from the left margin
        int BarWidth = 0;
        int NumbersLeft = 0; // from the left margin
        bool NumbersBelow = false;
    };
    TGeometry Geometry(int width, const QFont& font) const;
    int LineHeight(const TSubjectStatistics& subject, const TGeometry& geometry) const;
    int LabelWidth(const QFont& font) const;
    int LegendWidth(const QFontMetrics& metrics) const;
    QString LegendText(int level) const;
    QString FormatNumber(double value) const;

    QString FTitle;
    std::vector<TSubjectStatistics> FSubjects;
    TColHints FColHints = DefaultColHints();
    QChar FDecimalSeparator = u',';
};
