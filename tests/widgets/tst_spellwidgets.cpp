#include "data/Spelling.h"
#include "widgets/SpellHighlighter.h"
#include "widgets/SpellLineEdit.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Red enough to be the wave, in the columns from left to right.
bool HasRed(const QImage& image, int left, int right) {
    for (int x = std::max(0, left); x < std::min(image.width(), right); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 100 && c.blue() < 100)
                return true;
        }
    }
    return false;
}

} // namespace

// The red line and the menu, with a dictionary of the test's own.
class TestSpellWidgets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void memoUnderlinesAndCorrects();
    void ignoringTakesTheLineAway();
    void lineEditUnderlines();

private:
    QTemporaryDir FFolder;
    TSpelling FSpelling;
};

void TestSpellWidgets::initTestCase() {
    QFile aff(FFolder.filePath(QStringLiteral("fr_FR.aff")));
    QVERIFY(aff.open(QIODevice::WriteOnly));
    aff.write("SET UTF-8\nTRY aeiouvrlst\n");
    aff.close();
    QFile dic(FFolder.filePath(QStringLiteral("fr_FR.dic")));
    QVERIFY(dic.open(QIODevice::WriteOnly));
    dic.write("3\nbon\ntravail\nlire\n");
    dic.close();
    FSpelling.Open(FindFrenchDictionary({FFolder.path()}),
                   FFolder.filePath(QStringLiteral("dictionnaire.txt")), false);
    QCOMPARE(FSpelling.State(), TSpelling::TState::On);
}

void TestSpellWidgets::memoUnderlinesAndCorrects() {
    QPlainTextEdit memo;
    memo.resize(300, 80);
    AttachSpelling(&memo, &FSpelling, {});
    memo.setPlainText(QStringLiteral("bon travial"));
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&memo));

    QTextCursor at(memo.document());
    at.setPosition(4);
    const int wordLeft = memo.cursorRect(at).left();
    at.setPosition(11);
    const int wordRight = memo.cursorRect(at).left();

    const QPoint inWord((wordLeft + wordRight) / 2, memo.cursorRect(at).center().y());
    std::unique_ptr<QMenu> menu(CreateSpellingMenu(&memo, &FSpelling, inWord, {}));
    const QList<QAction*> actions = menu->actions();
    QVERIFY(actions.size() > 4);
    QCOMPARE(actions[0]->text(), QStringLiteral("travail"));
    QVERIFY(menu->findChild<QAction*>(QStringLiteral("SpellIgnore")));
    QVERIFY(menu->findChild<QAction*>(QStringLiteral("SpellAdd")));
    actions[0]->trigger();
    QCOMPARE(memo.toPlainText(), QStringLiteral("bon travail"));
    memo.undo();
    QCOMPARE(memo.toPlainText(), QStringLiteral("bon travial"));

    // A word spelt right gets the edit menu alone.
    std::unique_ptr<QMenu> plain(CreateSpellingMenu(&memo, &FSpelling, QPoint(2, inWord.y()), {}));
    QVERIFY(!plain->findChild<QAction*>(QStringLiteral("SpellIgnore")));
}

void TestSpellWidgets::ignoringTakesTheLineAway() {
    QPlainTextEdit memo;
    memo.resize(300, 80);
    AttachSpelling(&memo, &FSpelling, {});
    memo.setPlainText(QStringLiteral("lire zorglub"));
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&memo));
    QVERIFY(HasRed(memo.viewport()->grab().toImage(), 0, 300));
    FSpelling.Ignore(QStringLiteral("zorglub"));
    QVERIFY(!HasRed(memo.viewport()->grab().toImage(), 0, 300));
}

void TestSpellWidgets::lineEditUnderlines() {
    TSpellLineEdit edit;
    edit.resize(300, 30);
    edit.SetSpelling(&FSpelling);
    edit.setText(QStringLiteral("lire travial bon"));
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    const auto extents = edit.MisspeltExtents();
    QCOMPARE(extents.size(), std::size_t(1));
    const auto [left, right] = extents.front();
    QVERIFY(left < right);
    const QImage image = edit.grab().toImage();
    QVERIFY(HasRed(image, left, right));
    QVERIFY(!HasRed(image, right + 3, image.width()));
}

QTEST_MAIN(TestSpellWidgets)
#include "tst_spellwidgets.moc"
