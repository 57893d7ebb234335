#include "widgets/StatisticsChart.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <cmath>

using TCounts = std::array<int, 4>;
Q_DECLARE_METATYPE(TCounts)

// The chart drawn into an image, read back by its pixels.
class TestStatisticsChart : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void barsAreSplitByTheShares_data();
    void barsAreSplitByTheShares();
    void headingsAndEmptySubjectsHaveNoColour();
    void narrowedChartReflows();

private:
    // How many pixels of each level's colour the line of the subject has.
    static std::array<int, 4> ColourRun(const QImage& image, int subject);
};

std::array<int, 4> TestStatisticsChart::ColourRun(const QImage& image, int subject) {
    // Title, legend and column headers come first, 22 pixels each, below
    // the margin of 8; then one line per subject, its bar 4 pixels down.
    // The bar's first row is clear of the share texts.
    const int y = 8 + 3 * 22 + subject * 22 + 4;
    std::array<int, 4> counts{};
    for (int x = 0; x < image.width(); ++x) {
        for (int level = 0; level < 4; ++level) {
            if (image.pixelColor(x, y) == TStatisticsChart::LevelColor(level))
                ++counts[std::size_t(level)];
        }
    }
    return counts;
}

void TestStatisticsChart::barsAreSplitByTheShares_data() {
    QTest::addColumn<TCounts>("counts");
    QTest::newRow("half A half C") << TCounts{2, 0, 2, 0};
    QTest::newRow("all ?") << TCounts{0, 0, 0, 5};
    QTest::newRow("quarters") << TCounts{1, 1, 1, 1};
    QTest::newRow("one in three") << TCounts{1, 2, 0, 0};
}

void TestStatisticsChart::barsAreSplitByTheShares() {
    QFETCH(TCounts, counts);
    TSubjectStatistics subject;
    subject.Name = QStringLiteral("Lecture");
    subject.LevelCounts = counts;
    TStatisticsChart chart;
    chart.resize(600, 200);
    chart.SetStatistics(QStringLiteral("CM1"), {subject});
    const QImage image = chart.ToImage();
    const std::array<int, 4> run = ColourRun(image, 0);
    const int barWidth = run[0] + run[1] + run[2] + run[3];
    QVERIFY(barWidth > 100);
    for (int level = 0; level < 4; ++level) {
        // The share text drawn inside a part takes some of its pixels.
        const double expected = barWidth * subject.Share(level);
        QVERIFY2(run[std::size_t(level)] <= expected + 1 &&
                     run[std::size_t(level)] >= expected * 0.7,
                 qPrintable(QStringLiteral("level %1: %2 of %3")
                                .arg(level)
                                .arg(run[std::size_t(level)])
                                .arg(barWidth)));
    }
}

void TestStatisticsChart::headingsAndEmptySubjectsHaveNoColour() {
    TSubjectStatistics heading;
    heading.Name = QStringLiteral("Français");
    heading.Evaluated = false;
    TSubjectStatistics empty;
    empty.Name = QStringLiteral("Lecture");
    empty.Depth = 1;
    TStatisticsChart chart;
    chart.resize(600, 200);
    chart.SetStatistics(QStringLiteral("CM1"), {heading, empty});
    const QImage image = chart.ToImage();
    QCOMPARE(image.height(), chart.ChartHeight());
    QCOMPARE(ColourRun(image, 0), (std::array<int, 4>{}));
    QCOMPARE(ColourRun(image, 1), (std::array<int, 4>{}));
}

// Narrowed, the legend and the numbers go to further lines rather than being
// cut: the chart grows in height, keeps its bars, and draws nothing in its
// right margin.
void TestStatisticsChart::narrowedChartReflows() {
    TSubjectStatistics subject;
    subject.Name = QStringLiteral("Lecture");
    subject.LevelCounts = {12, 8, 3, 2};
    subject.MarkCount = 3;
    subject.Average = 12.24;
    TStatisticsChart chart;
    chart.SetStatistics(QStringLiteral("CM1"), {subject, subject});
    QVERIFY(chart.hasHeightForWidth());
    const int wide = chart.ChartHeight(900);
    QVERIFY(chart.ChartHeight(500) >= wide);
    QVERIFY(chart.ChartHeight(240) > chart.ChartHeight(500));
    QVERIFY(chart.minimumSizeHint().width() <= 240);
    chart.resize(240, chart.ChartHeight(240));
    const QImage image = chart.ToImage();
    QCOMPARE(image.width(), 240);
    QCOMPARE(image.height(), chart.ChartHeight(240));
    std::array<int, 4> colours{};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            for (int level = 0; level < 4; ++level)
                colours[std::size_t(level)] +=
                    image.pixelColor(x, y) == TStatisticsChart::LevelColor(level) ? 1 : 0;
        }
        for (int x = image.width() - 6; x < image.width(); ++x)
            QVERIFY2(image.pixelColor(x, y) == Qt::white,
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }
    for (int level = 0; level < 4; ++level)
        QVERIFY(colours[std::size_t(level)] > 0);
}

QTEST_MAIN(TestStatisticsChart)
#include "tst_statisticschart.moc"
