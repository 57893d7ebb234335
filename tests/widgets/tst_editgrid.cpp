#include "GridFixture.h"
#include "tests/support/DialogDriver.h"

#include "widgets/BaloonWindow.h"
#include "widgets/EditGridModel.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QFontMetrics>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {

const QString Mark = u" X "_s;

// Rows 1 to 5 evaluated.
const QStringList Plain{u"Français"_s, u"_Lecture"_s, u"_Écriture"_s, u"_Oral"_s, u"Sport"_s};
// Rows 4 and 5 are headings; row 6, the last, is evaluated.
const QStringList WithHeadings{u"Français"_s,  u"_Lecture"_s,      u"_Écriture"_s,
                               u"$Sciences"_s, u"$_Expériences"_s, u"__Mesures"_s};

QStringList CheckCells(const TEditGrid& grid, int row) {
    QStringList cells;
    for (int c = 1; c <= 4; ++c)
        cells << grid.Cells(c, row);
    return cells;
}

void SendMouseMove(QWidget* widget, QPoint pos) {
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

int VisibleBaloonWidth() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<TBaloonWindow*>(widget) && widget->isVisible())
            return widget->width();
    }
    return -1;
}

} // namespace

class TestEditGrid : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void defaults();
    void clickMarksOneCell_data();
    void clickMarksOneCell();
    void pressAndReleaseInTwoRows();
    void noMarking_data();
    void noMarking();
    void keyboardMarks_data();
    void keyboardMarks();
    void spaceTypedIntoEditor();
    void letterKeys_data();
    void letterKeys();
    void firstFocusHasCurrentCell();
    void downCommitsAndOpensNextRow();
    void leavingToCheckCellClosesEditor_data();
    void leavingToCheckCellClosesEditor();
    void enterSkipsHeadingRows();
    void enterOnLastRowCommitsOnce();
    void focusLossCommits();
    void messageBoxInHandlerCommitsOnce();
    void pressOnCurrentEditCellReopens();
    void scrollingHidesEditor();
    void subjectColumnNeverCurrent();
    void fitColWidths();
    void fitRowHeights();
    void headerHints();
    void balloonWhileButtonHeld_data();
    void balloonWhileButtonHeld();
    void cursorRule_data();
    void cursorRule();
    void badIndicesAreHarmless();
    void modelPassesTester();
    void screenReaderReadsTheGridAsItIsShown();
};

void TestEditGrid::initTestCase() {
    QApplication::setFont(QFont(u"DejaVu Sans"_s, 9));
}

void TestEditGrid::defaults() {
    TEditGrid grid;
    QCOMPARE(grid.ColCount(), 6);
    QCOMPARE(grid.RowCount(), 5);
    QCOMPARE(grid.FixedRows(), 1);
    QCOMPARE(grid.FixedCols(), 1);
    QCOMPARE(grid.EditCol(), 5);
    QCOMPARE(grid.ExpandCol(), 0);
    QVERIFY(grid.AutoExpandCol());
    QVERIFY(grid.ExtraDrawing());
    QVERIFY(!grid.CanEdit());
    QCOMPARE(grid.ColWidths(0), 242);
    QCOMPARE(grid.ColWidths(5), 30);
    QCOMPARE(grid.RowHeights(4), 19);
    QCOMPARE(grid.CrossPicture().size(), QSize(14, 14));
    QCOMPARE(grid.FixedCursor().shape(), Qt::ArrowCursor);
    QCOMPARE(grid.Baloon().Color, grid.palette().color(QPalette::ToolTipBase));
    QCOMPARE(grid.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void TestEditGrid::clickMarksOneCell_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void TestEditGrid::clickMarksOneCell() {
    QFETCH(Qt::MouseButton, button);
    TGridFixture f(Plain);
    QSignalSpy spy(f.Grid, &TEditGrid::OnModifyCheck);
    f.Grid->SetCells(5, 2, u"12"_s);
    f.Click(2, 2, button);
    QCOMPARE(CheckCells(*f.Grid, 2), QStringList({{}, Mark, {}, {}}));
    QCOMPARE(f.Grid->Cells(0, 2), u"_Lecture"_s);
    QCOMPARE(f.Grid->Cells(5, 2), u"12"_s);
    QCOMPARE(spy.size(), 2);
    for (const QList<QVariant>& args : spy) {
        QCOMPARE(args[0].value<QObject*>(), f.Grid);
        QCOMPARE(args[1].toInt(), 2);
        QCOMPARE(args[2].toInt(), 2);
    }
    // Clicking the marked cell again marks it again.
    f.Click(2, 2, button);
    QCOMPARE(spy.size(), 4);
    QCOMPARE(CheckCells(*f.Grid, 2), QStringList({{}, Mark, {}, {}}));
}

void TestEditGrid::pressAndReleaseInTwoRows() {
    TGridFixture f(Plain);
    QSignalSpy spy(f.Grid, &TEditGrid::OnModifyCheck);
    QTest::mousePress(f.Grid->viewport(), Qt::LeftButton, {}, f.CellCenter(1, 1));
    QTest::mouseRelease(f.Grid->viewport(), Qt::LeftButton, {}, f.CellCenter(3, 2));
    QCOMPARE(CheckCells(*f.Grid, 1), QStringList({Mark, {}, {}, {}}));
    QCOMPARE(CheckCells(*f.Grid, 2), QStringList({{}, {}, Mark, {}}));
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy[1][1].toInt(), 2);
    QCOMPARE(spy[1][2].toInt(), 3);
}

void TestEditGrid::noMarking_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("canEdit");
    QTest::newRow("heading row") << 2 << 4 << true;
    QTest::newRow("nested heading row") << 1 << 5 << true;
    QTest::newRow("read-only grid") << 2 << 2 << false;
    QTest::newRow("subject column") << 0 << 2 << true;
    QTest::newRow("edit column") << 5 << 2 << true;
    QTest::newRow("header row") << 2 << 0 << true;
}

void TestEditGrid::noMarking() {
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(bool, canEdit);
    TGridFixture f(WithHeadings);
    f.Grid->SetCanEdit(canEdit);
    QSignalSpy spy(f.Grid, &TEditGrid::OnModifyCheck);
    const QStringList before = CheckCells(*f.Grid, row);
    f.Click(col, row);
    QCOMPARE(CheckCells(*f.Grid, row), before);
    QCOMPARE(spy.size(), 0);
}

void TestEditGrid::keyboardMarks_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("space") << Qt::Key_Space;
    QTest::newRow("return") << Qt::Key_Return;
    QTest::newRow("enter") << Qt::Key_Enter;
}

void TestEditGrid::keyboardMarks() {
    QFETCH(Qt::Key, key);
    TGridFixture f(Plain);
    f.Grid->setFocus();
    f.Grid->setCurrentIndex(f.Grid->model()->index(2, 1));
    QSignalSpy spy(f.Grid, &TEditGrid::OnModifyCheck);
    QTest::keyClick(f.Grid, key);
    QCOMPARE(CheckCells(*f.Grid, 3), QStringList({Mark, {}, {}, {}}));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(f.Current(), QPoint(1, 3));
}

void TestEditGrid::letterKeys_data() {
    QTest::addColumn<QStringList>("subjects");
    QTest::addColumn<int>("startRow");
    QTest::addColumn<QString>("keys");
    // The columns marked in rows 1 to the end.
    QTest::addColumn<QList<int>>("marked");
    QTest::addColumn<QPoint>("current");
    QTest::newRow("upper case, one row each")
        << Plain << 1 << u"ABC?A"_s << QList<int>{1, 2, 3, 4, 1} << QPoint(1, 5);
    QTest::newRow("lower case and digits")
        << Plain << 1 << u"ab3c1"_s << QList<int>{1, 2, 3, 3, 1} << QPoint(1, 5);
    QTest::newRow("heading rows skipped")
        << WithHeadings << 3 << u"bc"_s << QList<int>{4, 4, 2, 4, 4, 3} << QPoint(3, 6);
    QTest::newRow("other letters ignored")
        << Plain << 2 << u"xz5"_s << QList<int>{4, 4, 4, 4, 4} << QPoint(4, 2);
    QTest::newRow("last row stays current")
        << Plain << 5 << u"ab"_s << QList<int>{4, 4, 4, 4, 2} << QPoint(2, 5);
}

void TestEditGrid::letterKeys() {
    QFETCH(QStringList, subjects);
    QFETCH(int, startRow);
    QFETCH(QString, keys);
    QFETCH(QList<int>, marked);
    QFETCH(QPoint, current);
    TGridFixture f(subjects);
    for (int row = 1; row <= subjects.size(); ++row) {
        if (f.Grid->IsEvaluatedRow(row))
            f.Grid->SetCells(4, row, Mark);
    }
    f.Grid->setFocus();
    f.Grid->setCurrentIndex(f.Grid->model()->index(startRow - 1, 4));
    QTest::keyClicks(f.Grid, keys);
    for (int row = 1; row <= subjects.size(); ++row) {
        const int column = marked[row - 1];
        QStringList expected(4);
        expected[column - 1] = Mark;
        QCOMPARE(CheckCells(*f.Grid, row), expected);
    }
    QCOMPARE(f.Current(), current);
}

void TestEditGrid::firstFocusHasCurrentCell() {
    // Reached with Tab, the grid starts on the first evaluated row, in the
    // column of its mark, and a letter marks at once.
    TGridFixture f(WithHeadings);
    f.Grid->SetCells(0, 1, u"$Français"_s);
    f.Grid->SetCells(4, 2, QString());
    f.Grid->SetCells(2, 2, Mark);
    f.Next->setFocus();
    f.Grid->selectionModel()->clearCurrentIndex();
    QTest::keyClick(f.Next, Qt::Key_Tab);
    QTRY_VERIFY(f.Grid->hasFocus());
    QCOMPARE(f.Current(), QPoint(2, 2));
    QTest::keyClick(f.Grid, Qt::Key_C);
    QCOMPARE(CheckCells(*f.Grid, 2), QStringList({{}, {}, Mark, {}}));
    QCOMPARE(f.Current(), QPoint(4, 3));
}

void TestEditGrid::spaceTypedIntoEditor() {
    TGridFixture f(Plain);
    QSignalSpy checks(f.Grid, &TEditGrid::OnModifyCheck);
    f.OpenEditor(2);
    QVERIFY(f.EditorOpen());
    QTRY_VERIFY(f.Editor()->hasFocus());
    QTest::keyClicks(f.Editor(), u"1 2"_s);
    QCOMPARE(f.Editor()->text(), u"1 2"_s);
    QCOMPARE(f.Grid->Cells(5, 2), u"1 2"_s);
    QCOMPARE(checks.size(), 0);
    QCOMPARE(CheckCells(*f.Grid, 2), QStringList({{}, {}, {}, Mark}));
}

void TestEditGrid::downCommitsAndOpensNextRow() {
    TGridFixture f(Plain);
    f.Grid->SetCells(5, 4, u"8"_s);
    QSignalSpy spy(f.Grid, &TEditGrid::OnModifyEdit);
    f.OpenEditor(3);
    QTest::keyClicks(f.Editor(), u"12"_s);
    QTest::keyClick(f.Editor(), Qt::Key_Down);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].value<QObject*>(), f.Grid);
    QCOMPARE(spy[0][1].toInt(), 3);
    QCOMPARE(spy[0][2].toString(), u"12"_s);
    QCOMPARE(f.Current(), QPoint(5, 4));
    QVERIFY(f.EditorOpen());
    QCOMPARE(f.Editor()->text(), u"8"_s);
    QVERIFY(f.Editor()->hasFocus());
    QCOMPARE(f.Editor()->geometry().topLeft(),
             f.Grid->visualRect(f.Grid->model()->index(3, 5)).topLeft());
}

void TestEditGrid::leavingToCheckCellClosesEditor_data() {
    QTest::addColumn<bool>("byMouse");
    QTest::newRow("left key") << false;
    QTest::newRow("click") << true;
}

void TestEditGrid::leavingToCheckCellClosesEditor() {
    QFETCH(bool, byMouse);
    TGridFixture f(Plain);
    QSignalSpy spy(f.Grid, &TEditGrid::OnModifyEdit);
    f.OpenEditor(3);
    if (byMouse)
        f.Click(2, 3);
    else
        QTest::keyClick(f.Editor(), Qt::Key_Left);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][1].toInt(), 3);
    QCOMPARE(f.Current(), QPoint(byMouse ? 2 : 4, 3));
    QVERIFY(!f.EditorOpen());
    QVERIFY(f.Grid->hasFocus());
}

void TestEditGrid::enterSkipsHeadingRows() {
    TGridFixture f(WithHeadings);
    f.Grid->SetCells(5, 6, u"14"_s);
    QSignalSpy spy(f.Grid, &TEditGrid::OnModifyEdit);
    f.OpenEditor(3);
    QTest::keyClicks(f.Editor(), u"7"_s);
    QTest::keyClick(f.Editor(), Qt::Key_Return);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][1].toInt(), 3);
    QCOMPARE(spy[0][2].toString(), u"7"_s);
    QCOMPARE(f.Current(), QPoint(5, 6));
    QVERIFY(f.EditorOpen());
    QCOMPARE(f.Editor()->text(), u"14"_s);
    QVERIFY(!f.Editor()->hasSelectedText());
    QCOMPARE(f.Editor()->cursorPosition(), 2);
}

void TestEditGrid::enterOnLastRowCommitsOnce() {
    TGridFixture f(WithHeadings);
    int commits = 0;
    // The owner rewrites a mark it cannot read as "-1": a second commit of
    // that text would store a mark the user never typed.
    QObject::connect(f.Grid, &TEditGrid::OnModifyEdit, f.Grid,
                     [&commits, &f](QObject*, int row, const QString&) {
                         ++commits;
                         f.Grid->SetCells(5, row, u"-1"_s);
                     });
    f.OpenEditor(6);
    QTest::keyClicks(f.Editor(), u"abc"_s);
    QTest::keyClick(f.Editor(), Qt::Key_Enter);
    QTRY_VERIFY(f.Next->hasFocus());
    QCOMPARE(commits, 1);
    QCOMPARE(f.Grid->Cells(5, 6), u"-1"_s);
    QVERIFY(!f.EditorOpen());
    f.Grid->setFocus();
    f.Next->setFocus();
    QCOMPARE(commits, 1);
}

void TestEditGrid::focusLossCommits() {
    TGridFixture f(Plain);
    QSignalSpy spy(f.Grid, &TEditGrid::OnModifyEdit);
    f.OpenEditor(2);
    QTest::keyClicks(f.Editor(), u"15"_s);
    f.Next->setFocus();
    QTRY_VERIFY(f.Next->hasFocus());
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][1].toInt(), 2);
    QCOMPARE(spy[0][2].toString(), u"15"_s);
    QVERIFY(!f.EditorOpen());
    // Editing is off now: coming back and leaving again raises nothing.
    f.Grid->setFocus();
    f.Next->setFocus();
    QCOMPARE(spy.size(), 1);
}

void TestEditGrid::messageBoxInHandlerCommitsOnce() {
    TGridFixture f(Plain);
    const TDialogDriver closer([](QWidget& modal) { modal.close(); });
    int commits = 0;
    QObject::connect(f.Grid, &TEditGrid::OnModifyEdit, f.Grid,
                     [&commits, &f](QObject*, int row, const QString& value) {
                         ++commits;
                         QMessageBox::information(&f.Window, u"Quillorin"_s,
                                                  value + u" n'est pas un nombre réel valide"_s);
                         f.Grid->SetCells(5, row, u"-1"_s);
                     });
    f.OpenEditor(2);
    QTest::keyClicks(f.Editor(), u"x"_s);
    QTest::keyClick(f.Editor(), Qt::Key_Down);
    QCOMPARE(commits, 1);
    QCOMPARE(f.Grid->Cells(5, 2), u"-1"_s);
    QCOMPARE(f.Current(), QPoint(5, 3));
    QTest::keyClicks(f.Editor(), u"y"_s);
    // The offscreen platform does not give the activation back by itself.
    f.Window.activateWindow();
    QTRY_VERIFY(f.Window.isActiveWindow());
    f.Next->setFocus();
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(commits, 2);
    QVERIFY(!f.EditorOpen());
    QCOMPARE(f.Grid->Cells(5, 3), u"-1"_s);
}

void TestEditGrid::pressOnCurrentEditCellReopens() {
    TGridFixture f(Plain);
    QSignalSpy spy(f.Grid, &TEditGrid::OnModifyEdit);
    f.OpenEditor(2);
    f.Next->setFocus();
    QTRY_VERIFY(!f.EditorOpen());
    QCOMPARE(spy.size(), 1);
    f.Click(5, 2);
    QVERIFY(f.EditorOpen());
    QTest::keyClicks(f.Editor(), u"9"_s);
    QTest::keyClick(f.Editor(), Qt::Key_Up);
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy[1][2].toString(), u"9"_s);
}

void TestEditGrid::scrollingHidesEditor() {
    QStringList many;
    for (int i = 0; i < 40; ++i)
        many << u"_Matière %1"_s.arg(i);
    TGridFixture f(many, {420, 200});
    QSignalSpy spy(f.Grid, &TEditGrid::OnModifyEdit);
    f.OpenEditor(2);
    f.Grid->verticalScrollBar()->setValue(3);
    QVERIFY(!f.EditorOpen());
    QCOMPARE(spy.size(), 0);
    QVERIFY(f.Grid->hasFocus());
    // Typing brings the editor back on its cell.
    QTest::keyClicks(f.Grid, u"5"_s);
    QVERIFY(f.EditorOpen());
    QCOMPARE(f.Grid->Cells(5, 2), u"5"_s);
}

void TestEditGrid::subjectColumnNeverCurrent() {
    TGridFixture f(Plain);
    f.Click(1, 2);
    QCOMPARE(f.Current(), QPoint(1, 2));
    f.Click(0, 3);
    QCOMPARE(f.Current(), QPoint(1, 2));
    QTest::keyClick(f.Grid, Qt::Key_Left);
    QCOMPARE(f.Current(), QPoint(1, 2));
    QTest::keyClick(f.Grid, Qt::Key_Home);
    QCOMPARE(f.Current(), QPoint(1, 2));
}

void TestEditGrid::fitColWidths() {
    TGridFixture f(Plain);
    const QFontMetrics metrics(f.Grid->font());
    auto measured = [&metrics](const QString& text) {
        return metrics.horizontalAdvance(text + QChar(u'\0')) + 4;
    };
    f.Grid->SetCells(2, 3, Mark);
    f.Grid->SetCells(5, 1, u"12,5"_s);
    f.Grid->FitColWidths();
    const int check = f.Grid->ColWidths(1);
    int widestHeader = 0;
    for (const QString& header : {u"  A  "_s, u"  B  "_s, u"  C  "_s, u"  ?  "_s})
        widestHeader = std::max(widestHeader, measured(header));
    QCOMPARE(check, std::max(widestHeader, measured(Mark)));
    for (int c = 2; c <= 4; ++c)
        QCOMPARE(f.Grid->ColWidths(c), check);
    QCOMPARE(f.Grid->ColWidths(5), std::max(measured(u" Note   "_s), measured(u"12,5"_s)));

    auto expandFills = [&f] {
        int others = 0;
        for (int c = 1; c < 6; ++c)
            others += f.Grid->ColWidths(c);
        return f.Grid->ColWidths(0) == f.Grid->viewport()->width() - 6 - others;
    };
    QVERIFY(expandFills());
    f.Window.resize(560, 300);
    QTRY_VERIFY(f.Grid->viewport()->width() > 500);
    QVERIFY(expandFills());
    // Every column's section, grid line included, ends at the client's right edge.
    const QHeaderView* header = f.Grid->horizontalHeader();
    QCOMPARE(header->sectionViewportPosition(5) + header->sectionSize(5),
             f.Grid->viewport()->width());

    // Narrower than the other columns: the width is not clamped.
    f.Window.resize(60, 300);
    QTRY_VERIFY(f.Grid->ColWidths(0) < 0);
    QVERIFY(expandFills());

    f.Grid->SetAutoExpandCol(false);
    f.Grid->FitColWidths();
    int widestSubject = 0;
    for (const QString& subject : Plain)
        widestSubject = std::max(widestSubject, measured(subject));
    QCOMPARE(f.Grid->ColWidths(0), widestSubject);
}

void TestEditGrid::fitRowHeights() {
    TGridFixture f(Plain);
    const int expected = QFontMetrics(f.Grid->font()).height() + 4;
    for (int r = 0; r < f.Grid->RowCount(); ++r)
        QCOMPARE(f.Grid->RowHeights(r), expected);
    QCOMPARE(f.Grid->rowHeight(0), expected + 1);
    QCOMPARE(f.Grid->horizontalHeader()->height(), expected + 1);
    QCOMPARE(f.Grid->RowHeights(f.Grid->RowCount()), 0);
}

void TestEditGrid::headerHints() {
    TEditGrid grid;
    grid.SetHeaderHints(-1, u"ignored"_s);
    QCOMPARE(grid.HeaderHints(-1), QString());
    QCOMPARE(grid.HeaderHints(0), QString());
    grid.SetHeaderHints(3, u"C = pas encore acquis"_s);
    QCOMPARE(grid.HeaderHints(0), QString());
    QCOMPARE(grid.HeaderHints(2), QString());
    QCOMPARE(grid.HeaderHints(3), u"C = pas encore acquis"_s);
    QCOMPARE(grid.HeaderHints(4), QString());
    QCOMPARE(grid.HeaderHints(100), QString());
    grid.SetHeaderHints(1, u"A = acquis"_s);
    QCOMPARE(grid.HeaderHints(1), u"A = acquis"_s);
    QCOMPARE(grid.HeaderHints(3), u"C = pas encore acquis"_s);
}

void TestEditGrid::balloonWhileButtonHeld_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("shown");
    QTest::newRow("header with hint") << 1 << 0 << u"A = acquis@premier niveau"_s;
    QTest::newRow("header without hint") << 5 << 0 << u"Note   "_s;
    QTest::newRow("subject") << 0 << 3 << u"Écriture"_s;
    QTest::newRow("heading subject") << 0 << 5 << u"Expériences"_s;
    QTest::newRow("check cell") << 2 << 2 << QString();
    QTest::newRow("empty header") << 0 << 0 << QString();
}

void TestEditGrid::balloonWhileButtonHeld() {
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(QString, shown);
    TGridFixture f(WithHeadings);
    f.Grid->SetHeaderHints(1, u"A = acquis@premier niveau"_s);
    f.Grid->Baloon().Font = QFont(u"DejaVu Sans"_s, 9);
    // A balloon left from before is hidden by a press elsewhere, kept by an empty text.
    f.Grid->Baloon().ShowTextAt(u"avant"_s, {10, 10});

    QTest::mousePress(f.CellWidget(row), Qt::LeftButton, {}, f.CellCenter(col, row));
    const QFontMetrics metrics(f.Grid->Baloon().Font);
    if (shown.isEmpty()) {
        QCOMPARE(f.Grid->Baloon().IsShowing(), col == 0);
    } else {
        int widest = 0;
        for (const QString& line : shown.split(u'@'))
            widest = std::max(widest, metrics.horizontalAdvance(line));
        QVERIFY(f.Grid->Baloon().IsShowing());
        QCOMPARE(VisibleBaloonWidth(), widest + 23);
        const QPoint pointer = f.CellWidget(row)->mapToGlobal(f.CellCenter(col, row));
        QCOMPARE(f.Grid->Baloon().Window()->geometry().bottomLeft(), pointer + QPoint(0, 2));
    }
    QTest::mouseRelease(f.CellWidget(row), Qt::LeftButton, {}, f.CellCenter(col, row));
    QVERIFY(!f.Grid->Baloon().IsShowing());
    QCOMPARE(VisibleBaloonWidth(), -1);
}

void TestEditGrid::cursorRule_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("canEdit");
    QTest::addColumn<Qt::CursorShape>("shape");
    QTest::newRow("edit cell") << 5 << 2 << true << Qt::IBeamCursor;
    QTest::newRow("check cell") << 3 << 2 << true << Qt::ArrowCursor;
    QTest::newRow("subject cell") << 0 << 2 << true << Qt::PointingHandCursor;
    QTest::newRow("heading row") << 3 << 4 << true << Qt::PointingHandCursor;
    QTest::newRow("heading edit cell") << 5 << 4 << true << Qt::PointingHandCursor;
    QTest::newRow("read-only edit cell") << 5 << 2 << false << Qt::PointingHandCursor;
    QTest::newRow("read-only check cell") << 2 << 2 << false << Qt::PointingHandCursor;
}

void TestEditGrid::cursorRule() {
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(bool, canEdit);
    QFETCH(Qt::CursorShape, shape);
    TGridFixture f(WithHeadings);
    f.Grid->SetFixedCursor(Qt::PointingHandCursor);
    f.Grid->SetCanEdit(canEdit);
    SendMouseMove(f.Grid->viewport(), f.CellCenter(col, row));
    QCOMPARE(f.Grid->viewport()->cursor().shape(), shape);
    // Below the last row: outside the cells.
    SendMouseMove(f.Grid->viewport(), {f.CellCenter(5, 2).x(), f.Grid->viewport()->height() - 2});
    QCOMPARE(f.Grid->viewport()->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(f.Grid->horizontalHeader()->viewport()->cursor().shape(), Qt::PointingHandCursor);
}

void TestEditGrid::badIndicesAreHarmless() {
    TEditGrid grid;
    grid.SetCells(-1, 2, u"x"_s);
    grid.SetCells(2, 99, u"x"_s);
    grid.SetCells(6, 1, u"x"_s);
    QCOMPARE(grid.Cells(-1, 2), QString());
    QCOMPARE(grid.Cells(2, 99), QString());
    QCOMPARE(grid.ColWidths(-1), 0);
    QVERIFY(!grid.IsEvaluatedRow(-1));
    QVERIFY(!grid.IsEvaluatedRow(0));
    grid.SetRowCount(0);
    QCOMPARE(grid.RowCount(), 1);
    grid.SetColCount(-3);
    QCOMPARE(grid.ColCount(), 1);
    grid.FitColWidths();
    grid.FitRowHeights();
    grid.SetColCount(8);
    QCOMPARE(grid.ColWidths(7), 30);
    grid.SetRowCount(3);
    grid.SetCells(0, 2, u"Sport"_s);
    QVERIFY(grid.IsEvaluatedRow(2));
    QVERIFY(!grid.IsEvaluatedRow(1));
}

void TestEditGrid::modelPassesTester() {
    TEditGridModel model(6, 5);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.SetCell(0, 0, u"header"_s);
    model.SetCell(1, 2, Mark);
    model.SetGridRowCount(40);
    model.SetColCount(3);
    model.SetGridRowCount(2);
    model.SetColCount(7);
    model.SetGridRowCount(1);
    QCOMPARE(model.rowCount(), 0);
    model.SetGridRowCount(3);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), u"header"_s);
    QCOMPARE(model.flags(model.index(0, 0)) & Qt::ItemIsEnabled, Qt::NoItemFlags);
    QVERIFY(model.flags(model.index(0, 1)) & Qt::ItemIsEnabled);
}

// What a screen reader is told of each cell, header row first, row by row.
void TestEditGrid::screenReaderReadsTheGridAsItIsShown() {
    TGridFixture f({u"$Français"_s, u"_Lecture"_s, u"__Compréhension"_s, u"Calcul"_s, u"_"_s});
    f.Grid->SetCells(1, 1, u"3"_s); // a count in a heading row, which is not drawn
    f.Grid->SetCells(5, 2, u"12,5"_s);
    f.Grid->SetCells(4, 3, QString());
    f.Grid->SetCells(1, 3, u" X "_s);
    f.Grid->SetRowNote(2, u"revoir les accents"_s);
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(f.Grid);
    QVERIFY(grid && grid->tableInterface());
    QAccessibleTableInterface* table = grid->tableInterface();
    QCOMPARE(table->rowCount(), 5);
    QCOMPARE(table->columnCount(), 6);

    QList<QStringList> read;
    QStringList headers;
    for (int col = 0; col < 6; ++col) {
        // Qt makes these header interfaces for the caller and keeps no
        // cache of them: the caller has them deleted.
        const QList<QAccessibleInterface*> cells =
            table->cellAt(0, col)->tableCellInterface()->columnHeaderCells();
        headers << (cells.isEmpty() ? u"(none)"_s : cells.front()->text(QAccessible::Name));
        for (QAccessibleInterface* cell : cells)
            QAccessible::deleteAccessibleInterface(QAccessible::registerAccessibleInterface(cell));
    }
    read << headers;
    for (int row = 0; row < 5; ++row) {
        QStringList cells;
        for (int col = 0; col < 6; ++col)
            cells << table->cellAt(row, col)->text(QAccessible::Name);
        read << cells;
    }
    const QList<QStringList> expected{
        {u""_s, u"A"_s, u"B"_s, u"C"_s, u"?"_s, u"Note"_s},
        {u"Français"_s, u""_s, u""_s, u""_s, u""_s, u""_s},
        {u"Lecture"_s, u""_s, u""_s, u""_s, u"?"_s, u"12,5"_s},
        {u"Compréhension"_s, u"A"_s, u""_s, u""_s, u""_s, u""_s},
        {u"Calcul"_s, u""_s, u""_s, u""_s, u"?"_s, u""_s},
        {u""_s, u""_s, u""_s, u""_s, u"?"_s, u""_s},
    };
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(read[i], expected[i]);
    QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Description), u"rubrique"_s);
    QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Description), QString());
    QCOMPARE(table->cellAt(1, 5)->text(QAccessible::Description),
             u"commentaire : revoir les accents"_s);
    QCOMPARE(table->cellAt(2, 5)->text(QAccessible::Description), QString());
}

QTEST_MAIN(TestEditGrid)
#include "tst_editgrid.moc"
