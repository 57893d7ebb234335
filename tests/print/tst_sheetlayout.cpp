#include "SheetFixture.h"

#include "print/SheetBuilder.h"
#include "print/SheetLayout.h"

#include <QImage>
#include <QTest>

// The cases name only the fields they set; the others keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

Q_DECLARE_METATYPE(TSheetOptions)

namespace {

// One sheet to build and what its log must show: `Expected` entries appear
// in this order, each inside one logged entry; no entry holds an `Absent` one.
struct TSheetCase {
    bool ClassSheet = false;
    QStringList Subjects;
    QList<int> Levels;
    QList<double> Marks;
    QStringList Remarks;
    TSheetOptions Options;
    bool English = false;
    bool NoCross = false;
    QStringList Expected;
    QStringList Absent;
    int Pages = 1;
};

QString Repeat(char c, int count) {
    return QString(count, QLatin1Char(c));
}

QStringList Numbered(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << u"s%1"_s.arg(i);
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(TSheetCase)

class TestSheetLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void geometry_data();
    void geometry();
    void sheet_data();
    void sheet();
    void renderedSheet();
    void classFiguresStandApart_data();
    void classFiguresStandApart();
};

void TestSheetLayout::geometry_data() {
    QTest::addColumn<TSheetOptions>("options");
    QTest::addColumn<QSize>("cross");
    QTest::addColumn<int>("noteWidth");
    QTest::addColumn<int>("textHeight");
    // margin left, rh, lw, mw, sw, x0, xA, xB, xC, x?, xNote, frame right, bottom limit
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("worked example, margin 0 raised to 60")
        << TSheetOptions{} << QSize(14, 14) << 48 << 30
        << QList<int>{60, 35, 31, 61, 1702, 65, 1767, 1798, 1829, 1860, 1891, 1947, 2817};
    QTest::newRow("margin kept") << TSheetOptions{.LeftMargin = 27} << QSize(14, 14) << 48 << 30
                                 << QList<int>{77,   35,   31,   61,   1685, 82,  1767,
                                               1798, 1829, 1860, 1891, 1947, 2817};
    QTest::newRow("widened columns and rows")
        << TSheetOptions{.ColWidth = 5, .MarkColWidth = 10, .RowHeight = 3} << QSize(14, 14) << 48
        << 30 << QList<int>{60, 38, 36, 71, 1672, 65, 1737, 1773, 1809, 1845, 1881, 1947, 2817};
    QTest::newRow("cross larger than the text")
        << TSheetOptions{} << QSize(40, 50) << 48 << 30
        << QList<int>{60, 51, 41, 61, 1662, 65, 1727, 1768, 1809, 1850, 1891, 1947, 2817};
    QTest::newRow("caption wider than the number")
        << TSheetOptions{} << QSize(14, 14) << 70 << 30
        << QList<int>{60, 35, 31, 71, 1692, 65, 1757, 1788, 1819, 1850, 1881, 1947, 2817};
    QTest::newRow("no text height: the cross alone")
        << TSheetOptions{} << QSize(14, 14) << 48 << 0
        << QList<int>{60, 15, 31, 61, 1702, 65, 1767, 1798, 1829, 1860, 1891, 1947, 2817};
    QTest::newRow("stored nonsense stays bounded")
        << TSheetOptions{.LeftMargin = -2147483647, .RowHeight = -2147483647} << QSize(14, 14) << 48
        << 30 << QList<int>{60, 1, 31, 61, 1702, 65, 1767, 1798, 1829, 1860, 1891, 1947, 2817};
}

void TestSheetLayout::geometry() {
    QFETCH(TSheetOptions, options);
    QFETCH(QSize, cross);
    QFETCH(int, noteWidth);
    QFETCH(int, textHeight);
    QFETCH(QList<int>, expected);
    TPictureRecorder recorder;
    TLogCanvas canvas(recorder);
    canvas.Widths.insert(u"Note"_s, noteWidth);
    canvas.Height = textHeight;
    const TSheetLayout layout(recorder, canvas, options, cross);
    const TSheetGeometry& g = layout.Geometry();
    const QList<int> actual{recorder.MarginLeft(), g.RowHeight,    g.LevelWidth,   g.MarkWidth,
                            g.SubjectWidth,        g.X0,           g.LevelLeft(1), g.LevelLeft(2),
                            g.LevelLeft(3),        g.LevelLeft(4), g.XNote(),      g.FrameRight,
                            g.BottomLimit};
    QCOMPARE(actual, expected);
    // The columns end just beyond the frame.
    QCOMPARE(g.XNote() + g.MarkWidth, g.FrameRight + 5);
}

void TestSheetLayout::sheet_data() {
    // With the worked example's measures: rows 35 high from y 132 when the
    // table starts at the top margin, columns A 1767, B 1798, C 1829,
    // ? 1860, Note 1891, frame from 60 to 1947.
    QTest::addColumn<TSheetCase>("sheet");
    const QString m167 = Repeat('m', 167) + u"..."_s;

    QTest::newRow("pupil: headings, depth, crosses and marks") << TSheetCase{
        .Subjects = {u"$Français"_s, u"_Lecture"_s, u"__Compréhension"_s, u"_"_s},
        .Levels = {4, 2, 1, 3},
        .Marks = {12, 12.5, 0, NoMark},
        .Expected = {u"p1 T(65,82) \"MATIERES\" [65,82 1767,122]"_s,
                     u"p1 T(1777,82) \"A\" [1767,82 1798,122]"_s,
                     u"p1 T(1870,82) \"?\" [1860,82 1891,122]"_s,
                     u"p1 T(1891,82) \"Note\" [1891,82 1952,122]"_s, u"p1 L(60,122 1947,122)"_s,
                     u"p1 T(65,132) \"Français\" [65,132 1767,167]"_s,
                     u"p1 T(75,167) \"Lecture\" [75,167 1767,202]"_s, u"p1 P[1804,174 1822,193]"_s,
                     u"p1 T(1891,167) \"12,5\" [1891,167 1952,202]"_s,
                     u"p1 T(85,202) \"Compréhension\""_s, u"p1 P[1773,209 1791,228]"_s,
                     u"p1 T(1891,202) \"0,0\""_s, u"p1 T(65,237) \"_\" [65,237 1767,272]"_s,
                     u"p1 P[1835,244 1853,263]"_s, u"p1 L(60,77 60,277)"_s,
                     u"p1 L(60,277 1947,277)"_s, u"p1 L(1947,277 1947,77)"_s,
                     u"p1 L(1947,77 60,77)"_s},
        .Absent = {u"P[1861,134"_s, u"\"12,0\""_s, u"T(1891,237)"_s, u"\"$"_s}};

    QTest::newRow("pupil: the cross of the last level column keeps clear of the mark")
        << TSheetCase{.Subjects = {u"Lecture"_s},
                      .Levels = {4},
                      .Marks = {9.3},
                      .Expected = {u"p1 P[1866,139 1884,158]"_s, u"p1 T(1891,132) \"9,3\""_s}};

    QTest::newRow("pupil: title, English mark and date") << TSheetCase{
        .Subjects = {u"Lecture"_s},
        .Levels = {1},
        .Marks = {0},
        .Options = {.DrawTitle = true},
        .English = true,
        .Expected = {
            QStringLiteral("p1 T(60,77) \"Martin Léa (né(e) le 3 mai 2019); Classe : CE1\" "
                           "[60,77 2024,112]"),
            u"p1 T(60,112) \"Evaluation au 12/8/26\""_s, u"p1 T(65,187) \"MATIERES\""_s,
            u"p1 T(1891,237) \"0.0\""_s}};

    QTest::newRow("pupil: levels without a column, no cross picture")
        << TSheetCase{.Subjects = {u"a"_s, u"b"_s, u"c"_s},
                      .Levels = {0, 5, 2},
                      .NoCross = true,
                      .Expected = {u"p1 T(1805,210) \" X \" [1804,209 1822,228]"_s},
                      .Absent = {u"T(1800,135)"_s, u"T(1800,170)"_s, u" P["_s}};

    QTest::newRow("pupil: names cut to the subject column") << TSheetCase{
        .Subjects = {Repeat('m', 200), u"__"_s + Repeat('m', 200), Repeat('m', 170), u"W"_s,
                     Repeat('m', 100) + Repeat('i', 300)},
        .Expected = {u"p1 T(65,132) \""_s + m167 + u"\" [65,132 1767"_s,
                     u"p1 T(85,167) \""_s + m167 + u"\" [85,167 1767"_s,
                     u"p1 T(65,202) \""_s + Repeat('m', 170) + u'"', u"p1 T(65,237) \"W...\""_s,
                     u"p1 T(65,272) \""_s + Repeat('m', 100) + Repeat('i', 224) + u"...\""_s}};

    QTest::newRow("class: title, counts and averages from the grid") << TSheetCase{
        .ClassSheet = true,
        .Subjects = {u"$Français"_s, u"_Lecture"_s},
        .Options = {.DrawTitle = true, .DrawRemarks = true},
        .Expected = {u"p1 T(60,77) \"Classe : CE1 (2 matières; 4 élèves)\""_s,
                     u"p1 T(60,112) \"Evaluation au 08/12/2026\""_s, u"p1 L(60,227 1947,227)"_s,
                     u"p1 T(65,237) \"Français\""_s, u"p1 T(75,272) \"Lecture\""_s,
                     u"p1 T(1772,272) \"3\" [1762,272 1793,307]"_s,
                     u"p1 T(1834,272) \"1\" [1824,272 1855,307]"_s,
                     u"p1 T(1891,272) \"12,3\" [1886,272 1947,307]"_s, u"p1 L(60,182 60,312)"_s},
        .Absent = {u"\"9\""_s, u"REMARQUES"_s}};

    QTest::newRow("class without subjects")
        << TSheetCase{.ClassSheet = true,
                      .Expected = {u"p1 L(60,122 1947,122)"_s, u"p1 L(60,77 60,137)"_s,
                                   u"p1 L(60,137 1947,137)"_s, u"p1 L(1947,137 1947,77)"_s,
                                   u"p1 L(1947,77 60,77)"_s}};

    QTest::newRow("table over two pages, each framed, header once") << TSheetCase{
        .Subjects = Numbered(100),
        .Expected = {u"p1 T(65,2757) \"s75\""_s, u"p1 L(60,77 60,2797)"_s,
                     u"p1 L(60,2797 1947,2797)"_s, u"p1 L(1947,2797 1947,77)"_s,
                     u"p1 L(1947,77 60,77)"_s, u"p2 T(65,82) \"s76\""_s, u"p2 T(65,887) \"s99\""_s,
                     u"p2 L(60,77 60,927)"_s, u"p2 L(60,927 1947,927)"_s,
                     u"p2 L(1947,927 1947,77)"_s, u"p2 L(1947,77 60,77)"_s},
        .Absent = {u"p2 T(65,82) \"MATIERES\""_s},
        .Pages = 2};

    QTest::newRow("remarks: legend, heading, a line split at any character") << TSheetCase{
        .Subjects = {u"Lecture"_s},
        .Remarks = {Repeat('r', 400), u"Fin"_s},
        .Options = {.DrawRemarks = true},
        .Expected = {QStringLiteral("p1 T(60,177) \"(A = acquis; B = en cours d'acquisition; "
                                    "C = pas encore acquis; ? = indéterminé)\" [60,177 2024,212]"),
                     u"p1 T(60,247) \"REMARQUES :\""_s,
                     u"p1 T(60,282) \""_s + Repeat('r', 196) + u'"',
                     u"p1 T(60,317) \""_s + Repeat('r', 196) + u'"',
                     u"p1 T(60,352) \""_s + Repeat('r', 8) + u'"', u"p1 T(60,387) \"Fin\""_s}};

    QTest::newRow("remarks go on over a new page")
        << TSheetCase{.Subjects = Numbered(70),
                      .Remarks = {u"un"_s, u"deux"_s, u"trois"_s, u"quatre"_s},
                      .Options = {.DrawRemarks = true},
                      .Expected = {u"p1 L(60,77 60,2587)"_s, u"p1 T(60,2697) \"un\""_s,
                                   u"p1 T(60,2767) \"trois\""_s, u"p2 T(60,77) \"quatre\""_s},
                      .Pages = 2};

    QTest::newRow("room for less than a character: one character a line") << TSheetCase{
        .Remarks = {u"abc"_s, u"d"_s},
        .Options = {.DrawRemarks = true, .LeftMargin = 1970},
        .Expected = {u"\"a\" [2020,"_s, u"\"b\" [2020,"_s, u"\"c\" [2020,"_s, u"\"d\" [2020,"_s},
        .Pages = -1};

    QTest::newRow("no room at all: lines left whole")
        << TSheetCase{.Remarks = {u"abc"_s, u"d"_s},
                      .Options = {.DrawRemarks = true, .LeftMargin = 5000},
                      .Expected = {u"T(5050,142) \"(A = acquis"_s, u"T(5050,212) \"REMARQUES :\""_s,
                                   u"T(5050,247) \"abc\""_s, u"T(5050,282) \"d\""_s}};
}

void TestSheetLayout::sheet() {
    QFETCH(TSheetCase, sheet);
    TFakeSource source;
    source.ClassSelected = sheet.ClassSheet;
    source.SchoolClass.SetLines(sheet.Subjects);
    source.Pupil.SetSurname(u"Martin"_s);
    source.Pupil.SetName(u"Léa"_s);
    source.Pupil.SetBirthDay(u"3 mai 2019"_s);
    source.Pupil.SetClassName(u"CE1"_s);
    source.Pupil.SetLines(sheet.Remarks);
    for (int i = 0; i < sheet.Levels.size(); ++i)
        source.Pupil.SetLevel(i, sheet.Levels[i]);
    for (int i = 0; i < sheet.Marks.size(); ++i)
        source.Pupil.SetMark(i, sheet.Marks[i]);
    source.Grid = {{{1, 1}, u"9"_s}, {{1, 2}, u"3"_s}, {{3, 2}, u"1"_s}, {{5, 2}, u"12,3"_s}};
    if (sheet.English)
        source.Settings =
            TRegionalSettings::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    if (sheet.NoCross)
        source.Cross = QImage();
    QVERIFY(sheet.NoCross || !source.Cross.isNull());

    TPictureRecorder recorder;
    TLogCanvas canvas(recorder);
    if (sheet.ClassSheet)
        BuildClassSheet(recorder, canvas, source, sheet.Options);
    else
        BuildPupilSheet(recorder, canvas, source, source.Pupil, source.SchoolClass, sheet.Options);

    QVERIFY(!recorder.Canvas());
    if (sheet.Pages > 0)
        QCOMPARE(int(recorder.Pages.size()), sheet.Pages);
    qsizetype next = 0;
    for (const QString& expected : std::as_const(sheet.Expected)) {
        while (next < canvas.Log.size() && !canvas.Log[next].contains(expected))
            ++next;
        QVERIFY2(next < canvas.Log.size(), qPrintable(u"missing or out of order: "_s + expected +
                                                      u'\n' + canvas.Log.join(u'\n')));
        ++next;
    }
    for (const QString& absent : std::as_const(sheet.Absent)) {
        for (const QString& entry : std::as_const(canvas.Log))
            QVERIFY2(!entry.contains(absent), qPrintable(entry));
    }
}

// The real painter end to end: a pupil sheet recorded as a picture and
// replayed onto an image the paper's size.
void TestSheetLayout::renderedSheet() {
    TFakeSource source;
    source.SchoolClass.SetLines({u"Lecture"_s, u"Calcul"_s});
    source.Pupil.SetLevel(0, 2);
    source.Pupil.SetLevel(1, 4);
    const TSheetOptions options{.ColWidth = 20, .RowHeight = 20};
    TPictureRecorder recorder;
    BuildPupilSheet(recorder, source, source.Pupil, source.SchoolClass, options);
    QCOMPARE(int(recorder.Pages.size()), 1);

    TPictureRecorder measured;
    TPainterCanvas canvas(measured);
    const TSheetLayout layout(measured, canvas, options, source.Cross.size());
    const TSheetGeometry& g = layout.Geometry();
    QVERIFY(g.ProbeHeight > 30);

    QImage page(2101, 2971, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        painter.drawPicture(0, 0, *recorder.Pages[0]);
    }
    const auto dark = [&page](QRect area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                count += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
        }
        return count;
    };
    const int frameBottom = 77 + g.RowHeight + 20 + 2 * g.RowHeight + 5;
    QCOMPARE(dark(QRect(60, 100, 1, 100)), 100);
    QCOMPARE(dark(QRect(g.FrameRight, 100, 1, 100)), 100);
    QCOMPARE(dark(QRect(100, frameBottom, 100, 1)), 100);
    // Nothing in the margins, nothing below the frame.
    QCOMPARE(dark(QRect(0, 0, 60, 2971)), 0);
    QCOMPARE(dark(QRect(0, 0, 2101, 77)), 0);
    QCOMPARE(dark(QRect(0, frameBottom + 1, 2101, 2971 - frameBottom - 1)), 0);
    QCOMPARE(dark(QRect(g.FrameRight + 1, 0, 2101 - g.FrameRight - 1, 2971)), 0);

    const int firstRow = 77 + g.RowHeight + 20;
    for (int row = 0; row < 2; ++row) {
        const int top = firstRow + row * g.RowHeight;
        const int level = row == 0 ? 2 : 4;
        QVERIFY(dark(SheetRect(g.X0, top, g.X0 + 300, top + g.RowHeight)) > 50);
        for (int column = 1; column <= 4; ++column) {
            const int ink = dark(layout.LevelSquare(column, top));
            QVERIFY2(column == level ? ink > 20 : ink == 0,
                     qPrintable(u"row %1 column %2: %3"_s.arg(row).arg(column).arg(ink)));
        }
    }
}

void TestSheetLayout::classFiguresStandApart_data() {
    QTest::addColumn<QStringList>("figures"); // A, B, C, ? and the average
    QTest::addColumn<bool>("bold");
    QTest::addColumn<TSheetOptions>("options");
    QTest::newRow("two digits") << QStringList{u"13"_s, u"12"_s, u"8"_s, u"7"_s, u"12,24"_s}
                                << false << TSheetOptions{};
    QTest::newRow("two digits in bold")
        << QStringList{u"10"_s, u"10"_s, u"10"_s, u"10"_s, u"12,24"_s} << true << TSheetOptions{};
    QTest::newRow("three digits, bold")
        << QStringList{u"100"_s, u"250"_s, u"999"_s, u"100"_s, u"1,235E+05"_s} << true
        << TSheetOptions{};
    QTest::newRow("widened by the set-up")
        << QStringList{u"13"_s, u"12"_s, u"8"_s, u"7"_s, u"12,24"_s} << false
        << TSheetOptions{.ColWidth = 40, .MarkColWidth = 60};
}

// The class sheet drawn with the real page font: every figure of a row, the
// header letters too, stands at least a blank apart from the next, and none
// reaches the frame's right line.
void TestSheetLayout::classFiguresStandApart() {
    QFETCH(QStringList, figures);
    QFETCH(bool, bold);
    QFETCH(TSheetOptions, options);
    TFakeSource source;
    source.ClassSelected = true;
    source.SchoolClass.SetLines({u"Lecture"_s, u"Calcul"_s});
    for (int row = 1; row <= 2; ++row) {
        for (int column = 1; column <= 5; ++column)
            source.Grid[{column, row}] = figures[column - 1];
    }
    TPictureRecorder recorder;
    recorder.PageFont.setBold(bold);
    TPainterCanvas painter(recorder);
    TMeasuredLog canvas(painter);
    BuildClassSheet(recorder, canvas, source, options);

    const int blank = canvas.Widths.value(u" "_s);
    QVERIFY(blank > 0);
    int frameRight = 0;
    for (const auto& line : std::as_const(canvas.Lines))
        frameRight = std::max({frameRight, line.first.x(), line.second.x()});
    QCOMPARE(frameRight, 2101 - 2 * 77);

    // Texts by row top, left to right; the subject names come first.
    std::map<int, std::vector<TMeasuredLog::TText>> rows;
    for (const TMeasuredLog::TText& text : std::as_const(canvas.Texts))
        rows[text.At.y()].push_back(text);
    QCOMPARE(int(rows.size()), 3);
    for (auto& [top, texts] : rows) {
        std::sort(texts.begin(), texts.end(),
                  [](const auto& a, const auto& b) { return a.At.x() < b.At.x(); });
        QCOMPARE(int(texts.size()), 6);
        for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
            const int end = texts[i].At.x() + texts[i].Width;
            // Half a blank on each side of a centred figure, less a unit of rounding.
            QVERIFY2(end + blank - 1 <= texts[i + 1].At.x(),
                     qPrintable(u"row %1: \"%2\" ends at %3, \"%4\" starts at %5"_s.arg(top)
                                    .arg(texts[i].Text)
                                    .arg(end)
                                    .arg(texts[i + 1].Text)
                                    .arg(texts[i + 1].At.x())));
            // Each text is whole inside its cell.
            QVERIFY2(texts[i].Cell.contains(QRect(texts[i].At, QSize(texts[i].Width, 1))),
                     qPrintable(texts[i].Text));
        }
        const auto& last = texts.back();
        QVERIFY2(last.At.x() + last.Width < frameRight && last.Cell.right() < frameRight,
                 qPrintable(last.Text));
    }
}

QTEST_MAIN(TestSheetLayout)
#include "tst_sheetlayout.moc"
