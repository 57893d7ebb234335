#include "widgets/Controls97.h"

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

class TestControls97 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void returnMovesFocus_data();
    void returnMovesFocus();
};

void TestControls97::returnMovesFocus_data() {
    QTest::addColumn<bool>("combo");
    QTest::addColumn<bool>("option");
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("edit, return") << false << true << Qt::Key_Return;
    QTest::newRow("edit, keypad enter") << false << true << Qt::Key_Enter;
    QTest::newRow("edit, option off") << false << false << Qt::Key_Return;
    QTest::newRow("combo, return") << true << true << Qt::Key_Return;
    QTest::newRow("combo, option off") << true << false << Qt::Key_Return;
}

void TestControls97::returnMovesFocus() {
    QFETCH(bool, combo);
    QFETCH(bool, option);
    QFETCH(Qt::Key, key);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new TEdit97(&window);
    auto* list = new TComboBox97(&window);
    auto* last = new TEdit97(&window);
    layout->addWidget(edit);
    layout->addWidget(list);
    layout->addWidget(last);
    list->addItems({u"Garçon"_s, u"Fille"_s, u"Je ne sais pas"_s});
    QVERIFY(!list->isEditable());
    QVERIFY(edit->ReturnMovesFocus() && list->ReturnMovesFocus());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QWidget* start = combo ? static_cast<QWidget*>(list) : edit;
    QWidget* next = combo ? static_cast<QWidget*>(last) : list;
    if (combo)
        list->SetReturnMovesFocus(option);
    else
        edit->SetReturnMovesFocus(option);
    start->setFocus();
    QTRY_VERIFY(start->hasFocus());
    QTest::keyClick(start, key);
    QCOMPARE(QApplication::focusWidget(), option ? next : start);
}

QTEST_MAIN(TestControls97)
#include "tst_controls97.moc"
