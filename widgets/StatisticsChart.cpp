#include "widgets/StatisticsChart.h"

#include "data/NumberFormat.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kMargin = 8;
constexpr int kRowHeight = 22;
constexpr int kBarHeight = 14;
constexpr int kSwatch = 12;
constexpr int kMinBarWidth = 120;
constexpr int kMaxLabelWidth = 260;
constexpr int kMinLabelWidth = 100;
constexpr int kNumberColumns = 3;
constexpr int kDisplayPrecision = 4;

const std::array<QColor, 4> kLevelColors = {QColor(46, 160, 67), QColor(66, 133, 244),
                                            QColor(230, 120, 30), QColor(175, 175, 175)};

const std::array<QString, kNumberColumns> kNumberHeaders = {
    QStringLiteral("Notes"), QStringLiteral("Moyenne"), QStringLiteral("Médiane")};

// "12 (48 %)" where it fits, else "48 %", else the count alone, else nothing.
QString ShareText(int count, int percent, int room, const QFontMetrics& metrics) {
    if (count == 0)
        return {};
    const QString share = QString::number(percent) + QStringLiteral(" %");
    for (const QString& text : {QString::number(count) + QStringLiteral(" (") + share + u')', share,
                                QString::number(count)}) {
        if (metrics.horizontalAdvance(text) <= room)
            return text;
    }
    return {};
}

int NumberColumnWidth(const QFontMetrics& metrics) {
    int width = metrics.horizontalAdvance(QStringLiteral("00,000"));
    for (const QString& header : kNumberHeaders)
        width = std::max(width, metrics.horizontalAdvance(header));
    return width + kMargin;
}

} // namespace

TStatisticsChart::TStatisticsChart(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TStatisticsChart::SetStatistics(QString title, std::vector<TSubjectStatistics> subjects) {
    FTitle = std::move(title);
    FSubjects = std::move(subjects);
    updateGeometry();
    update();
}

void TStatisticsChart::SetColHints(const TColHints& hints) {
    FColHints = hints;
    update();
}

void TStatisticsChart::SetDecimalSeparator(QChar separator) {
    FDecimalSeparator = separator;
    update();
}

QColor TStatisticsChart::LevelColor(int level) {
    return kLevelColors[std::size_t(std::clamp(level, 0, 3))];
}

QString TStatisticsChart::LegendText(int level) const {
    // As the grid's column hints read; a hint that names its letter already
    // ("? = indéterminé") is shown as it is.
    const QString letter = QStringLiteral("ABC?").mid(level, 1);
    const QString& hint = FColHints[std::size_t(level + 1)];
    if (hint.startsWith(letter + QStringLiteral(" =")))
        return hint;
    return letter + QStringLiteral(" = ") + hint;
}

QString TStatisticsChart::FormatNumber(double value) const {
    return value < 0 ? QStringLiteral("-")
                     : FormatGeneral(value, kDisplayPrecision, FDecimalSeparator);
}

int TStatisticsChart::LabelWidth(const QFont& base) const {
    const QFontMetrics metrics(base);
    QFont bold = base;
    bold.setBold(true);
    const QFontMetrics headings(bold);
    const int step = metrics.horizontalAdvance(u'_');
    int width = 0;
    for (const TSubjectStatistics& subject : FSubjects)
        width = std::max(
            width, subject.Depth * step +
                       (subject.Evaluated ? metrics : headings).horizontalAdvance(subject.Name));
    return std::min(width + kMargin, kMaxLabelWidth);
}

int TStatisticsChart::LegendWidth(const QFontMetrics& metrics) const {
    int width = 0;
    for (int level = 0; level < 4; ++level)
        width += kSwatch + 4 + metrics.horizontalAdvance(LegendText(level)) + 2 * kMargin;
    return width;
}

TStatisticsChart::TGeometry TStatisticsChart::Geometry(int width, const QFont& font) const {
    const QFontMetrics metrics(font);
    const int room = std::max(1, width - 2 * kMargin);
    TGeometry g;
    int x = 0;
    int line = 0;
    for (int level = 0; level < 4; ++level) {
        const int item = kSwatch + 4 + metrics.horizontalAdvance(LegendText(level));
        if (x > 0 && x + item > room) {
            x = 0;
            ++line;
        }
        g.LegendPlaces << QPoint(x, line * kRowHeight);
        x += item + 2 * kMargin;
    }
    g.LegendLines = line + 1;

    const int numbers = kNumberColumns * NumberColumnWidth(metrics);
    const int label = LabelWidth(font);
    const int shortest = std::min(label, kMinLabelWidth);
    if (room >= shortest + kMinBarWidth + numbers) {
        g.LabelWidth = std::clamp(room - kMinBarWidth - numbers, shortest, label);
        g.NumbersLeft = std::max(g.LabelWidth + kMinBarWidth, room - numbers);
        g.BarWidth = g.NumbersLeft - kMargin - g.LabelWidth;
    } else {
        // Too narrow for a line: the numbers go under the bar, which takes
        // what the names leave.
        g.NumbersBelow = true;
        g.LabelWidth = std::min(label, std::max(room / 3, 1));
        g.BarWidth = std::max(1, room - g.LabelWidth);
        g.NumbersLeft = std::max(0, room - numbers);
    }
    g.BarLeft = g.LabelWidth;
    return g;
}

int TStatisticsChart::LineHeight(const TSubjectStatistics& subject,
                                 const TGeometry& geometry) const {
    return subject.Evaluated && geometry.NumbersBelow ? 2 * kRowHeight : kRowHeight;
}

int TStatisticsChart::ChartHeight(int width) const {
    // Title, legend, column headers, the lines.
    const TGeometry g = Geometry(width, font());
    int height = kMargin + (2 + g.LegendLines) * kRowHeight + kMargin;
    for (const TSubjectStatistics& subject : FSubjects)
        height += LineHeight(subject, g);
    return height;
}

QSize TStatisticsChart::sizeHint() const {
    const QFontMetrics metrics(font());
    const int width = std::max(kMargin * 2 + LabelWidth(font()) + 3 * kMinBarWidth +
                                   kNumberColumns * NumberColumnWidth(metrics),
                               kMargin * 2 + LegendWidth(metrics));
    return {width, ChartHeight(width)};
}

QSize TStatisticsChart::minimumSizeHint() const {
    // Narrower than this the chart reflows rather than being cut.
    const QFontMetrics metrics(font());
    const int width = kMargin * 2 + kNumberColumns * NumberColumnWidth(metrics);
    return {width, ChartHeight(width)};
}

void TStatisticsChart::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    Render(painter, rect(), event->rect());
}

QImage TStatisticsChart::ToImage() const {
    const int imageWidth = std::max(width(), minimumSizeHint().width());
    QImage image(QSize(imageWidth, ChartHeight(imageWidth)), QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(font());
    Render(painter, image.rect());
    return image;
}

void TStatisticsChart::Render(QPainter& painter, const QRect& area, const QRect& exposed) const {
    painter.save();
    painter.fillRect(exposed.isValid() ? exposed : area, Qt::white);
    const QFont base = painter.font();
    const QFontMetrics metrics = painter.fontMetrics();
    const TGeometry g = Geometry(area.width(), base);
    const int numberWidth = NumberColumnWidth(metrics);
    const int left = area.left() + kMargin;
    const int right = area.right() + 1 - kMargin;
    const int barLeft = left + g.BarLeft;
    const int numbersLeft = left + g.NumbersLeft;
    int top = area.top() + kMargin;
    auto row = [&](int x, int w) {
        return QRect(x, top, w, kRowHeight);
    };

    QFont bold = base;
    bold.setBold(true);
    painter.setPen(Qt::black);
    painter.setFont(bold);
    painter.drawText(row(left, right - left), Qt::AlignLeft | Qt::AlignVCenter, FTitle);
    painter.setFont(base);
    top += kRowHeight;

    // The legend, one swatch per level, flowing over as many lines as needed.
    for (int level = 0; level < 4; ++level) {
        const QString text = LegendText(level);
        const QPoint place = g.LegendPlaces.value(level);
        const int y = top + place.y();
        const int x = left + place.x();
        painter.fillRect(QRect(x, y + (kRowHeight - kSwatch) / 2, kSwatch, kSwatch),
                         LevelColor(level));
        painter.drawText(QRect(x + kSwatch + 4, y, metrics.horizontalAdvance(text) + 1, kRowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    top += g.LegendLines * kRowHeight;

    painter.setPen(Qt::darkGray);
    for (int column = 0; column < kNumberColumns; ++column)
        painter.drawText(row(numbersLeft + column * numberWidth, numberWidth - kMargin),
                         Qt::AlignRight | Qt::AlignVCenter, kNumberHeaders[std::size_t(column)]);
    painter.drawLine(left, top + kRowHeight - 1, right, top + kRowHeight - 1);
    top += kRowHeight;

    const int step = metrics.horizontalAdvance(u'_');
    for (const TSubjectStatistics& subject : FSubjects) {
        const int lineHeight = LineHeight(subject, g);
        if (exposed.isValid() &&
            !QRect(area.left(), top, area.width(), lineHeight).intersects(exposed)) {
            top += lineHeight;
            continue;
        }
        const int indent = std::min(subject.Depth * step, g.LabelWidth);
        painter.setPen(Qt::black);
        painter.setFont(subject.Evaluated ? base : bold);
        const QRect label = row(left + indent, std::max(0, g.LabelWidth - indent - 4));
        painter.drawText(
            label, Qt::AlignLeft | Qt::AlignVCenter,
            painter.fontMetrics().elidedText(subject.Name, Qt::ElideRight, label.width()));
        painter.setFont(base);
        if (subject.Evaluated) {
            const QRect bar(barLeft, top + (kRowHeight - kBarHeight) / 2, std::max(g.BarWidth, 1),
                            kBarHeight);
            if (subject.LevelTotal() == 0) {
                painter.setPen(Qt::lightGray);
                painter.drawRect(bar.adjusted(0, 0, -1, -1));
            } else {
                // Each share ends where the running total ends, so that the
                // parts always fill the bar exactly; the percentages shown
                // add up to 100.
                const std::array<int, 4> percents = RoundedPercents(subject.LevelCounts);
                int running = 0;
                int start = bar.left();
                for (int level = 0; level < 4; ++level) {
                    running += subject.LevelCounts[std::size_t(level)];
                    const int end =
                        bar.left() +
                        int(std::lround(double(running) * bar.width() / subject.LevelTotal()));
                    const QRect part(start, bar.top(), end - start, bar.height());
                    painter.fillRect(part, LevelColor(level));
                    const QString text =
                        ShareText(subject.LevelCounts[std::size_t(level)],
                                  percents[std::size_t(level)], part.width() - 4, metrics);
                    if (!text.isEmpty()) {
                        painter.setPen(level == 3 ? Qt::black : Qt::white);
                        painter.drawText(part, Qt::AlignCenter, text);
                    }
                    start = end;
                }
            }
            painter.setPen(Qt::black);
            const std::array<QString, kNumberColumns> numbers = {QString::number(subject.MarkCount),
                                                                 FormatNumber(subject.Average),
                                                                 FormatNumber(subject.Median)};
            const int numbersTop = g.NumbersBelow ? top + kRowHeight : top;
            for (int column = 0; column < kNumberColumns; ++column)
                painter.drawText(QRect(numbersLeft + column * numberWidth, numbersTop,
                                       numberWidth - kMargin, kRowHeight),
                                 Qt::AlignRight | Qt::AlignVCenter, numbers[std::size_t(column)]);
        }
        top += lineHeight;
    }
    painter.restore();
}
