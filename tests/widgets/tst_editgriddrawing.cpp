#include "GridFixture.h"

#include "widgets/GridTextMeter.h"
#include "widgets/SubjectText.h"

#include <QFontMetrics>

using namespace Qt::StringLiterals;

namespace {

const QColor Navy(0, 0, 128);
const QColor Cell(250, 240, 200);

// A cell's rectangle in the coordinates of the grid's rendering, grid line
// excluded, as (Left, Top, Right, Bottom) with Right and Bottom exclusive.
struct TCellRect {
    int Left, Top, Right, Bottom;
};

TCellRect CellRect(const TEditGrid& grid, int col, int row) {
    const QHeaderView* header = grid.horizontalHeader();
    const int left = header->sectionViewportPosition(col);
    const int top = row == 0 ? 0 : header->height() + grid.rowViewportPosition(row - 1);
    return {left, top, left + grid.ColWidths(col), top + grid.RowHeights(row)};
}

// The first column, from the left of the cell's inside, holding a pixel of the colour.
int FirstInkColumn(const QImage& image, const TCellRect& cell, const QColor& ink) {
    for (int x = cell.Left + 1; x < cell.Right - 1; ++x) {
        for (int y = cell.Top + 1; y < cell.Bottom - 1; ++y) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - ink.red()) + std::abs(pixel.green() - ink.green()) +
                    std::abs(pixel.blue() - ink.blue()) <
                120)
                return x;
        }
    }
    return -1;
}

} // namespace

class TestEditGridDrawing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void crossInFontColourCentred();
    void rowFills();
    void raisedFixedCellsAndGridLines();
    void depthIndentation();
    void subjectTextCut_data();
    void subjectTextCut();
    void stripSubjectPrefix_data();
    void stripSubjectPrefix();
    void noExtraDrawingDrawsNothing();

private:
    QImage Render(TGridFixture& f) {
        return f.Grid->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

void TestEditGridDrawing::initTestCase() {
    QApplication::setFont(QFont(u"DejaVu Sans"_s, 9));
}

void TestEditGridDrawing::crossInFontColourCentred() {
    TGridFixture f({u"Français"_s, u"_Lecture"_s});
    f.Grid->SetFontColor(Navy);
    f.Grid->SetCellColor(Cell);
    f.Grid->SetCells(4, 2, QString());
    f.Grid->SetCells(2, 2, u" X "_s);
    const QImage image = Render(f);
    const QImage cross = f.Grid->CrossPicture().convertToFormat(QImage::Format_RGB32);
    const TCellRect cell = CellRect(*f.Grid, 2, 2);
    const int innerWidth = cell.Right - cell.Left - 2;
    const int innerHeight = cell.Bottom - cell.Top - 2;
    const int left = cell.Left + 1 + (innerWidth - cross.width()) / 2;
    const int top = cell.Top + 1 + (innerHeight - cross.height()) / 2;
    for (int y = 0; y < cross.height(); ++y) {
        for (int x = 0; x < cross.width(); ++x) {
            const QColor expected = cross.pixelColor(x, y) == Qt::black ? Navy : Cell;
            QCOMPARE(image.pixelColor(left + x, top + y), expected);
        }
    }
    // " X " is a picture, not a text: "x" drawn elsewhere is plain text.
    f.Grid->SetCells(2, 2, u"X"_s);
    QVERIFY(Render(f).pixelColor(left + 1, top + 1) == Cell);
}

void TestEditGridDrawing::rowFills() {
    TGridFixture f({u"Français"_s, u"$Sciences"_s, u"_Calcul"_s});
    f.Grid->SetCellColor(Cell);
    f.Grid->SetCells(5, 2, u"17"_s);
    const QImage image = Render(f);
    const QColor grey = f.Grid->Color();
    const QColor fixed = f.Grid->palette().color(QPalette::Button);
    // Evaluated rows in CellColor; every check and edit cell of the heading
    // row in Color, its cross and mark not drawn.
    for (int c = 1; c <= 5; ++c) {
        const TCellRect evaluated = CellRect(*f.Grid, c, 1);
        QCOMPARE(image.pixelColor(evaluated.Left + 1, evaluated.Top + 1), Cell);
        const TCellRect heading = CellRect(*f.Grid, c, 2);
        for (int y = heading.Top; y < heading.Bottom; ++y) {
            for (int x = heading.Left; x < heading.Right; ++x)
                QCOMPARE(image.pixelColor(x, y), grey);
        }
    }
    const TCellRect subject = CellRect(*f.Grid, 0, 2);
    QCOMPARE(image.pixelColor(subject.Right - 2, subject.Top + 2), fixed);
}

void TestEditGridDrawing::raisedFixedCellsAndGridLines() {
    TGridFixture f({u"Français"_s, u"_Lecture"_s});
    f.Grid->SetCellColor(Cell);
    const QImage image = Render(f);
    const QRgb light = f.Grid->palette().color(QPalette::Light).rgb();
    const QRgb dark = f.Grid->palette().color(QPalette::Dark).rgb();
    const QRgb cell = Cell.rgb();
    QVERIFY(light != dark);
    for (const QPoint at : {QPoint(2, 0), QPoint(0, 1)}) {
        const TCellRect c = CellRect(*f.Grid, at.x(), at.y());
        QCOMPARE(image.pixel(c.Left, c.Top), light);
        QCOMPARE(image.pixel(c.Left, c.Bottom - 1), light);
        QCOMPARE(image.pixel(c.Right - 1, c.Top), light);
        QCOMPARE(image.pixel(c.Right, c.Top), dark);
        QCOMPARE(image.pixel(c.Right, c.Bottom - 1), dark);
        QCOMPARE(image.pixel(c.Left, c.Bottom), dark);
        QCOMPARE(image.pixel(c.Right, c.Bottom), dark);
        QCOMPARE(image.pixel(c.Right - 1, c.Bottom - 1),
                 f.Grid->palette().color(QPalette::Button).rgb());
    }
    // A normal cell: only the shadow lines, on its grid line pixels.
    const TCellRect normal = CellRect(*f.Grid, 2, 2);
    QCOMPARE(image.pixel(normal.Left, normal.Top), cell);
    QCOMPARE(image.pixel(normal.Right - 1, normal.Bottom - 1), cell);
    QCOMPARE(image.pixel(normal.Right, normal.Top), dark);
    QCOMPARE(image.pixel(normal.Left, normal.Bottom), dark);
    QCOMPARE(image.pixel(normal.Right, normal.Bottom), dark);
}

void TestEditGridDrawing::depthIndentation() {
    TGridFixture f({u"Lecture"_s, u"__Lecture"_s, u"$Lecture"_s, u"\t Lecture"_s});
    const QImage image = Render(f);
    const QColor ink = f.Grid->palette().color(QPalette::ButtonText);
    const int step = f.Grid->TextMeter().MeasureText(u"_"_s).width();
    QVERIFY(step > 0);
    const int flat = FirstInkColumn(image, CellRect(*f.Grid, 0, 1), ink);
    QVERIFY(flat > 0);
    QCOMPARE(FirstInkColumn(image, CellRect(*f.Grid, 0, 2), ink), flat + 2 * step);
    QCOMPARE(FirstInkColumn(image, CellRect(*f.Grid, 0, 3), ink), flat);
    QCOMPARE(FirstInkColumn(image, CellRect(*f.Grid, 0, 4), ink), flat + 2 * step);
}

void TestEditGridDrawing::subjectTextCut_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("room");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fits") << u"_Lecture"_s << 400 << u"Lecture"_s;
    QTest::newRow("no room keeps one character") << u"_Lecture"_s << 1 << u"L..."_s;
    QTest::newRow("one-character name") << u"$x"_s << 1 << u"x..."_s;
}

void TestEditGridDrawing::subjectTextCut() {
    QFETCH(QString, cell);
    QFETCH(int, room);
    QFETCH(QString, expected);
    const TGridTextMeter meter(QFont(u"DejaVu Sans"_s, 9));
    const int step = meter.MeasureText(u"_"_s).width();
    const QRect rect(10, 0, room, 18);
    const TSubjectText laid = LayoutSubjectText(cell, rect, meter);
    QCOMPARE(laid.Text, expected);
    const int depth = static_cast<int>(cell.size() - StripSubjectPrefix(cell).size()) -
                      (cell.startsWith(u'$') ? 1 : 0);
    QCOMPARE(laid.Rect.left(), 10 + depth * step);
}

void TestEditGridDrawing::stripSubjectPrefix_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stripped");
    QTest::newRow("plain") << u"Sport"_s << u"Sport"_s;
    QTest::newRow("mixed prefix") << u"$_ \t_$Calcul mental"_s << u"Calcul mental"_s;
    QTest::newRow("inner blanks kept") << u"__A = acquis_"_s << u"A = acquis_"_s;
    QTest::newRow("prefix only") << u"$__"_s << QString();
}

void TestEditGridDrawing::stripSubjectPrefix() {
    QFETCH(QString, text);
    QFETCH(QString, stripped);
    QCOMPARE(StripSubjectPrefix(text), stripped);
}

void TestEditGridDrawing::noExtraDrawingDrawsNothing() {
    TGridFixture f({u"Français"_s, u"_Lecture"_s});
    f.Grid->SetCellColor(Cell);
    f.Grid->SetExtraDrawing(false);
    const QImage image = Render(f);
    const TCellRect cell = CellRect(*f.Grid, 2, 1);
    QVERIFY(image.pixelColor(cell.Left + 2, cell.Top + 2) != Cell);
}

QTEST_MAIN(TestEditGridDrawing)
#include "tst_editgriddrawing.moc"
