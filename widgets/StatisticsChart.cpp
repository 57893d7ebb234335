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
constexpr int kNumberColumns = 3;
constexpr int kDisplayPrecision = 4;

const std::array<QColor, 4> kLevelColors = {QColor(46, 160, 67), QColor(66, 133, 244),
                                            QColor(230, 120, 30), QColor(175, 175, 175)};

const std::array<QString, kNumberColumns> kNumberHeaders = {
    QStringLiteral("Notes"), QStringLiteral("Moyenne"), QStringLiteral("Médiane")};

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

int TStatisticsChart::ChartHeight() const {
    // Title, legend, column headers, the lines.
    return kMargin + 3 * kRowHeight + int(FSubjects.size()) * kRowHeight + kMargin;
}

QSize TStatisticsChart::sizeHint() const {
    const QFontMetrics metrics(font());
    return {std::max(kMargin * 2 + LabelWidth(font()) + 3 * kMinBarWidth +
                         kNumberColumns * NumberColumnWidth(metrics),
                     kMargin * 2 + LegendWidth(metrics)),
            ChartHeight()};
}

QSize TStatisticsChart::minimumSizeHint() const {
    const QFontMetrics metrics(font());
    return {std::max(kMargin * 2 + LabelWidth(font()) + kMinBarWidth +
                         kNumberColumns * NumberColumnWidth(metrics),
                     kMargin * 2 + LegendWidth(metrics)),
            ChartHeight()};
}

void TStatisticsChart::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    Render(painter, rect(), event->rect());
}

QImage TStatisticsChart::ToImage() const {
    QImage image(QSize(std::max(width(), minimumSizeHint().width()), ChartHeight()),
                 QImage::Format_RGB32);
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
    const int labelWidth = LabelWidth(base);
    const int numberWidth = NumberColumnWidth(metrics);
    const int left = area.left() + kMargin;
    const int right = area.right() + 1 - kMargin;
    const int barLeft = left + labelWidth;
    const int numbersLeft = std::max(barLeft + kMinBarWidth, right - kNumberColumns * numberWidth);
    const int barWidth = numbersLeft - kMargin - barLeft;
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

    // The legend, one swatch per level.
    int x = left;
    for (int level = 0; level < 4; ++level) {
        const QString text = LegendText(level);
        painter.fillRect(QRect(x, top + (kRowHeight - kSwatch) / 2, kSwatch, kSwatch),
                         LevelColor(level));
        x += kSwatch + 4;
        painter.drawText(row(x, metrics.horizontalAdvance(text) + 1),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
        x += metrics.horizontalAdvance(text) + 2 * kMargin;
    }
    top += kRowHeight;

    painter.setPen(Qt::darkGray);
    for (int column = 0; column < kNumberColumns; ++column)
        painter.drawText(row(numbersLeft + column * numberWidth, numberWidth - kMargin),
                         Qt::AlignRight | Qt::AlignVCenter, kNumberHeaders[std::size_t(column)]);
    painter.drawLine(left, top + kRowHeight - 1, right, top + kRowHeight - 1);
    top += kRowHeight;

    const int step = metrics.horizontalAdvance(u'_');
    for (const TSubjectStatistics& subject : FSubjects) {
        if (exposed.isValid() && !row(area.left(), area.width()).intersects(exposed)) {
            top += kRowHeight;
            continue;
        }
        const int indent = std::min(subject.Depth * step, labelWidth);
        painter.setPen(Qt::black);
        painter.setFont(subject.Evaluated ? base : bold);
        const QRect label = row(left + indent, labelWidth - indent - 4);
        painter.drawText(
            label, Qt::AlignLeft | Qt::AlignVCenter,
            painter.fontMetrics().elidedText(subject.Name, Qt::ElideRight, label.width()));
        painter.setFont(base);
        if (subject.Evaluated) {
            const QRect bar(barLeft, top + (kRowHeight - kBarHeight) / 2, std::max(barWidth, 1),
                            kBarHeight);
            if (subject.LevelTotal() == 0) {
                painter.setPen(Qt::lightGray);
                painter.drawRect(bar.adjusted(0, 0, -1, -1));
            } else {
                // Each share ends where the running total ends, so that the
                // parts always fill the bar exactly.
                double running = 0;
                int start = bar.left();
                for (int level = 0; level < 4; ++level) {
                    running += subject.Share(level);
                    const int end = bar.left() + int(std::lround(running * bar.width()));
                    const QRect part(start, bar.top(), end - start, bar.height());
                    painter.fillRect(part, LevelColor(level));
                    const QString percent =
                        QString::number(std::lround(subject.Share(level) * 100)) +
                        QStringLiteral(" %");
                    if (part.width() > metrics.horizontalAdvance(percent) + 4) {
                        painter.setPen(level == 3 ? Qt::black : Qt::white);
                        painter.drawText(part, Qt::AlignCenter, percent);
                    }
                    start = end;
                }
            }
            painter.setPen(Qt::black);
            const std::array<QString, kNumberColumns> numbers = {QString::number(subject.MarkCount),
                                                                 FormatNumber(subject.Average),
                                                                 FormatNumber(subject.Median)};
            for (int column = 0; column < kNumberColumns; ++column)
                painter.drawText(row(numbersLeft + column * numberWidth, numberWidth - kMargin),
                                 Qt::AlignRight | Qt::AlignVCenter, numbers[std::size_t(column)]);
        }
        top += kRowHeight;
    }
    painter.restore();
}
