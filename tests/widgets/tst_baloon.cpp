#include "widgets/BaloonImage.h"
#include "widgets/BaloonWindow.h"
#include "widgets/XBaloon.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace {

const QColor BodyColor(255, 255, 225);

TBaloonStyle Style(TBaloonAlign align, TPShape shape = TPShape::sRoundRect,
                   TTextAlign textAlign = TTextAlign::taCenter) {
    TBaloonStyle style;
    style.Align = align;
    style.Shape = shape;
    style.TextAlign = textAlign;
    style.Font = QFont(u"DejaVu Sans"_s, 9);
    style.Color = BodyColor;
    return style;
}

QImage TailFor(TBaloonAlign align) {
    return QImage(align == TBaloonAlign::alRight ? u":/widgets/tail.xpm"_s
                                                 : u":/widgets/tailleft.xpm"_s);
}

TBaloonImage Build(const QString& text, const TBaloonStyle& style, QPoint anchor = {300, 200}) {
    return BuildBaloonImage(anchor.x(), anchor.y(), text, style, TailFor(style.Align));
}

bool IsBlack(QRgb pixel) {
    return qAlpha(pixel) == 255 && (pixel & 0xffffffu) == 0;
}

bool IsBody(QRgb pixel) {
    return pixel == BodyColor.rgba();
}

// Left and right ends of the text ink within the image rows [top, top + height)
// and the columns [from, to), inside the body.
std::pair<int, int> InkSpan(const QImage& image, int top, int height, int from, int to) {
    int first = -1;
    int last = -1;
    for (int x = from; x < to; ++x) {
        for (int y = top; y < top + height; ++y) {
            if (!IsBody(image.pixel(x, y))) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

QList<TBaloonWindow*> VisibleBaloons() {
    QList<TBaloonWindow*> shown;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<TBaloonWindow*>(widget); window && window->isVisible())
            shown.append(window);
    }
    return shown;
}

} // namespace

class TestBaloon : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sizeFollowsLines_data();
    void sizeFollowsLines();
    void tailTipBelowPointer_data();
    void tailTipBelowPointer();
    void shadowBodyAndTail_data();
    void shadowBodyAndTail();
    void cornersShowWhatIsBeneath();
    void linesAligned_data();
    void linesAligned();
    void defaults();
    void showAndHide();
    void secondShowReplacesFirst();
    void showTextUsesMousePointer();
    void hidesOnMouseMoveAndClick();
};

void TestBaloon::initTestCase() {
    QApplication::setFont(QFont(u"DejaVu Sans"_s, 9));
}

void TestBaloon::sizeFollowsLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("widest");
    QTest::addColumn<int>("lines");
    QTest::newRow("one line") << u"A = acquis"_s << u"A = acquis"_s << 1;
    QTest::newRow("two lines") << u"court@une ligne plus longue"_s << u"une ligne plus longue"_s
                               << 2;
    QTest::newRow("trailing separator") << u"note@"_s << u"note"_s << 2;
    QTest::newRow("consecutive separators") << u"ab@@b"_s << u"ab"_s << 3;
    QTest::newRow("separators only") << u"@"_s << QString() << 2;
}

void TestBaloon::sizeFollowsLines() {
    QFETCH(QString, text);
    QFETCH(QString, widest);
    QFETCH(int, lines);
    const TBaloonStyle style = Style(TBaloonAlign::alRight);
    const QFontMetrics metrics(style.Font);
    int width = 0;
    for (const QString& line : text.split(u'@'))
        width = std::max(width, metrics.horizontalAdvance(line));
    QCOMPARE(width, metrics.horizontalAdvance(widest));

    const TBaloonImage built = Build(text, style, {300, 200});
    const int textHeight = lines * metrics.height();
    QCOMPARE(built.Image.size(), QSize(width + 23, textHeight + 20));
    QCOMPARE(built.Bounds, QRect(300, 200 - textHeight - 2, width + 23, textHeight + 20));
}

void TestBaloon::tailTipBelowPointer_data() {
    QTest::addColumn<TBaloonAlign>("align");
    QTest::addColumn<int>("tipColumnOffset");
    QTest::newRow("alRight") << TBaloonAlign::alRight << 0;
    QTest::newRow("alLeft") << TBaloonAlign::alLeft << -1;
}

void TestBaloon::tailTipBelowPointer() {
    QFETCH(TBaloonAlign, align);
    QFETCH(int, tipColumnOffset);
    const QPoint pointer(400, 300);
    const TBaloonImage built = Build(u"Lecture"_s, Style(align), pointer - QPoint(0, 15));
    const QImage& image = built.Image;
    // The tip is the only painted pixel of the last painted row.
    int lastRow = image.height() - 1;
    auto painted = [&image](int x, int y) {
        return qAlpha(image.pixel(x, y)) != 0;
    };
    auto rowPainted = [&](int y) {
        for (int x = 0; x < image.width(); ++x) {
            if (painted(x, y))
                return true;
        }
        return false;
    };
    while (lastRow > 0 && !rowPainted(lastRow))
        --lastRow;
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        if (painted(x, lastRow))
            columns.append(x);
    }
    QCOMPARE(columns.size(), 1);
    QVERIFY(IsBlack(image.pixel(columns[0], lastRow)));
    QCOMPARE(built.Bounds.topLeft() + QPoint(columns[0], lastRow),
             pointer + QPoint(tipColumnOffset, 1));
    QCOMPARE(built.Bounds.bottom(), pointer.y() + 2);
}

void TestBaloon::shadowBodyAndTail_data() {
    QTest::addColumn<TBaloonAlign>("align");
    QTest::newRow("alRight") << TBaloonAlign::alRight;
    QTest::newRow("alLeft") << TBaloonAlign::alLeft;
}

void TestBaloon::shadowBodyAndTail() {
    QFETCH(TBaloonAlign, align);
    const TBaloonStyle style = Style(align);
    const QFontMetrics metrics(style.Font);
    const int M = metrics.horizontalAdvance(u"Calcul mental"_s);
    const int H = metrics.height();
    const QImage image = Build(u"Calcul mental"_s, style).Image;
    const bool right = align == TBaloonAlign::alRight;
    const int bodyLeft = right ? 10 : 2;
    const int bodyRight = M + (right ? 21 : 13) - 1;
    const int mid = H / 2 + 1;

    // Body: outline, inside, and the shadow two pixels right of and below it.
    QVERIFY(IsBlack(image.pixel(bodyLeft, mid)));
    QVERIFY(IsBody(image.pixel(bodyLeft + 2, mid)));
    QVERIFY(IsBlack(image.pixel(bodyRight, mid)));
    QVERIFY(IsBlack(image.pixel(bodyRight + 2, mid)));
    QVERIFY(IsBlack(image.pixel((bodyLeft + bodyRight) / 2, H + 4)));
    QCOMPARE(qAlpha(image.pixel(bodyLeft - 1, mid)), 0);

    // The tail's inside is one area with the body, down to its narrow end.
    const int tailPixel = right ? 3 : image.width() - 4;
    const int dx = right ? -1 : 1;
    for (const QPoint p :
         {QPoint(tailPixel, H + 13), QPoint(tailPixel, H + 14), QPoint(tailPixel + dx, H + 15),
          QPoint(right ? 8 : image.width() - 9, H + 6)})
        QVERIFY2(IsBody(image.pixel(p)), qPrintable(u"%1,%2"_s.arg(p.x()).arg(p.y())));
    QVERIFY(IsBlack(image.pixel(tailPixel - dx, H + 13)));
    QVERIFY(IsBlack(image.pixel(tailPixel + dx, H + 13)));
}

void TestBaloon::cornersShowWhatIsBeneath() {
    const QImage round = Build(u"Géométrie"_s, Style(TBaloonAlign::alRight)).Image;
    const int H = QFontMetrics(Style(TBaloonAlign::alRight).Font).height();
    QCOMPARE(qAlpha(round.pixel(10, 0)), 0);
    QCOMPARE(qAlpha(round.pixel(round.width() - 1, 0)), 0);
    QCOMPARE(qAlpha(round.pixel(round.width() - 1, round.height() - 1)), 0);
    // Beside the tail, below the body: no fill leaked there.
    QCOMPARE(qAlpha(round.pixel(1, H)), 0);
    QCOMPARE(qAlpha(round.pixel(round.width() / 2, H + 10)), 0);

    const QImage square =
        Build(u"Géométrie"_s, Style(TBaloonAlign::alRight, TPShape::sRectangle)).Image;
    QVERIFY(IsBlack(square.pixel(10, 0)));
    QVERIFY(IsBody(square.pixel(11, 1)));
}

void TestBaloon::linesAligned_data() {
    QTest::addColumn<TTextAlign>("textAlign");
    QTest::newRow("taCenter") << TTextAlign::taCenter;
    QTest::newRow("taLeft") << TTextAlign::taLeft;
    QTest::newRow("taRight") << TTextAlign::taRight;
}

void TestBaloon::linesAligned() {
    QFETCH(TTextAlign, textAlign);
    const TBaloonStyle style = Style(TBaloonAlign::alRight, TPShape::sRoundRect, textAlign);
    const QFontMetrics metrics(style.Font);
    const int H = metrics.height();
    const int M = metrics.horizontalAdvance(u"HHHHHHHHHH"_s);
    // The lines compared lie between the body's rounded corners.
    const QImage image = Build(u"HH@HH@HHHHHHHHHH@HH"_s, style).Image;
    const auto [shortLeft, shortRight] = InkSpan(image, 1 + H, H, 12, M + 19);
    const auto [longLeft, longRight] = InkSpan(image, 1 + 2 * H, H, 12, M + 19);
    QVERIFY(shortLeft > 0 && longLeft > 0);
    switch (textAlign) {
    case TTextAlign::taCenter:
        QVERIFY(std::abs((shortLeft + shortRight) - (longLeft + longRight)) <= 2);
        break;
    case TTextAlign::taLeft:
        QCOMPARE(shortLeft, longLeft);
        break;
    case TTextAlign::taRight:
        QCOMPARE(shortRight, longRight);
        break;
    }
}

void TestBaloon::defaults() {
    const TXBaloon baloon;
    QCOMPARE(baloon.Align, TBaloonAlign::alRight);
    QCOMPARE(baloon.Color, QPalette().color(QPalette::Base));
    QCOMPARE(baloon.Font, QToolTip::font());
    QCOMPARE(baloon.DivisionChar, QChar(u'@'));
    QVERIFY(baloon.HideIfMouseMove);
    QVERIFY(!baloon.HideIfMouseClick);
    QCOMPARE(baloon.Shape, TPShape::sRoundRect);
    QCOMPARE(baloon.TextAlign, TTextAlign::taCenter);
    QVERIFY(!baloon.IsShowing());
}

void TestBaloon::showAndHide() {
    QLineEdit focused;
    focused.show();
    focused.activateWindow();
    focused.setFocus();
    QTRY_VERIFY(focused.hasFocus());

    TXBaloon baloon;
    baloon.ShowTextAt(QString(), {100, 100});
    QVERIFY(!baloon.IsShowing());
    QVERIFY(VisibleBaloons().isEmpty());

    baloon.ShowTextAt(u"A = acquis"_s, {100, 100});
    QVERIFY(baloon.IsShowing());
    const QList<TBaloonWindow*> shown = VisibleBaloons();
    QCOMPARE(shown.size(), 1);
    const QFontMetrics metrics(baloon.Font);
    QCOMPARE(shown[0]->geometry(),
             QRect(100, 100 - 15 - metrics.height() - 2,
                   metrics.horizontalAdvance(u"A = acquis"_s) + 23, metrics.height() + 20));
    QVERIFY(shown[0]->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    QVERIFY(focused.hasFocus());

    // An empty text leaves the balloon shown.
    baloon.ShowTextAt(QString(), {100, 100});
    QVERIFY(baloon.IsShowing());

    baloon.HideBaloon();
    QVERIFY(!baloon.IsShowing());
    QVERIFY(VisibleBaloons().isEmpty());
}

void TestBaloon::secondShowReplacesFirst() {
    TXBaloon baloon;
    baloon.ShowTextAt(u"premier"_s, {100, 100});
    baloon.ShowTextAt(u"second@texte"_s, {200, 150});
    const QList<TBaloonWindow*> shown = VisibleBaloons();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0], baloon.Window());
    QCOMPARE(shown[0]->x(), 200);
}

void TestBaloon::showTextUsesMousePointer() {
    QCursor::setPos(250, 180);
    if (QCursor::pos() != QPoint(250, 180))
        QSKIP("The platform does not move the mouse pointer");
    TXBaloon baloon;
    baloon.Align = TBaloonAlign::alLeft;
    baloon.ShowText(u"note"_s);
    QVERIFY(baloon.IsShowing());
    QCOMPARE(baloon.Window()->geometry().right(), 249);
    QCOMPARE(baloon.Window()->geometry().bottom(), 182);
}

void TestBaloon::hidesOnMouseMoveAndClick() {
    TXBaloon baloon;
    baloon.ShowTextAt(u"note"_s, {100, 100});
    auto* window = const_cast<TBaloonWindow*>(baloon.Window());
    const QPointF inside(12, 5);
    QMouseEvent click(QEvent::MouseButtonPress, inside, window->mapToGlobal(inside), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &click);
    QVERIFY(baloon.IsShowing());
    QMouseEvent move(QEvent::MouseMove, inside, window->mapToGlobal(inside), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window, &move);
    QVERIFY(!baloon.IsShowing());
    QVERIFY(!window->isVisible());

    baloon.HideIfMouseMove = false;
    baloon.HideIfMouseClick = true;
    baloon.ShowTextAt(u"note"_s, {100, 100});
    window = const_cast<TBaloonWindow*>(baloon.Window());
    QApplication::sendEvent(window, &move);
    QVERIFY(baloon.IsShowing());
    QMouseEvent rightClick(QEvent::MouseButtonPress, inside, window->mapToGlobal(inside),
                           Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(window, &rightClick);
    QVERIFY(baloon.IsShowing());
    QApplication::sendEvent(window, &click);
    QVERIFY(!baloon.IsShowing());
}

QTEST_MAIN(TestBaloon)
#include "tst_baloon.moc"
