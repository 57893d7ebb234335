#include "MainFormFixture.h"

#include "widgets/EditGrid.h"
#include "workspace/WorkspaceModel.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>

namespace {

// CM1: a heading and three subjects; three pupils with levels A, A, C and
// marks 12, none, 15 in "Lecture", and 10, 10, 11 in "Calcul".
QByteArray GridWorkspace() {
    QStringList lines = {QStringLiteral("[Class]"), QStringLiteral("ClassName=CM1"),
                         QStringLiteral("Matters=$Français|_Lecture|__Dictée|Calcul|")};
    const QStringList levels = {QStringLiteral("4:-1|1:12|2:-1|1:10|"),
                                QStringLiteral("4:-1|1:-1|9:-1|2:10|"),
                                QStringLiteral("4:-1|3:15|2:3,5|4:11|")};
    for (int i = 0; i < 3; ++i)
        lines << QStringLiteral("[Pupil]") << QStringLiteral("Surname=P%1").arg(i)
              << QStringLiteral("Name=N") << QString() << QStringLiteral("Class=CM1")
              << QStringLiteral("Sexe=Fille") << QStringLiteral("Levels=") + levels[i]
              << QStringLiteral("Remarks=");
    lines << QStringLiteral("[Class]") << QStringLiteral("ClassName=Vide")
          << QStringLiteral("Matters=");
    return FileOf(lines);
}

QStringList Row(const TEditGrid& grid, int row) {
    QStringList cells;
    for (int column = 1; column <= 5; ++column)
        cells << grid.Cells(column, row);
    return cells;
}

} // namespace

class TestMainFormGrid : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pupilShowsLevelsAndMarks();
    void classShowsTheSummary();
    void clickStoresTheLevel();
    void typedMarks_data();
    void typedMarks();
    void emptiedMarkStoresNoMark();
    void classWithoutSubjectsHidesTheGrid();
    void markTypedThenOtherPupilClickedGoesToTheFirst();
    void markBeingTypedIsSavedAtQuit_data();
    void markBeingTypedIsSavedAtQuit();

private:
    TMainForm& Start(const QLocale& locale = QLocale(QLocale::French, QLocale::France));
    QModelIndex Pupil(int row) const {
        return F->Form->Model().index(row, 0, F->Form->Model().index(0, 0));
    }
    TPData& Record(int row) const { return *F->Form->Model().NodeAt(Pupil(row))->Data; }
    void Click(int column, int row) const;
    void TypeMark(int row, const QString& text) const;

    std::unique_ptr<TMainFormFixture> F;
    TEditGrid* Grid = nullptr;
};

TMainForm& TestMainFormGrid::Start(const QLocale& locale) {
    F = std::make_unique<TMainFormFixture>();
    F->WriteFile(QStringLiteral("tree.dat"), GridWorkspace());
    TMainForm& form = F->Start(locale);
    Grid = F->Find<TEditGrid>("Grid");
    return form;
}

void TestMainFormGrid::Click(int column, int row) const {
    QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {},
                      Grid->visualRect(Grid->model()->index(row - 1, column)).center());
}

void TestMainFormGrid::TypeMark(int row, const QString& text) const {
    Click(Grid->EditCol(), row);
    auto* editor = Grid->findChild<QLineEdit*>(QStringLiteral("InplaceEdit"));
    QVERIFY(editor && editor->isVisible());
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, text);
    // Leaving the cell commits it.
    QTest::keyClick(editor, Qt::Key_Up);
}

void TestMainFormGrid::pupilShowsLevelsAndMarks() {
    TMainForm& form = Start();
    form.SelectNode(Pupil(2));
    QVERIFY(Grid->isVisible());
    QCOMPARE(Grid->RowCount(), 5);
    QCOMPARE(Row(*Grid, 0),
             (QStringList{QStringLiteral("  A  "), QStringLiteral("  B  "), QStringLiteral("  C  "),
                          QStringLiteral("  ?  "), QStringLiteral(" Note   ")}));
    QCOMPARE(Grid->HeaderHints(1), QStringLiteral("A = acquis"));
    QCOMPARE(Grid->HeaderHints(2), QStringLiteral("B = en cours d'acquisition"));
    QCOMPARE(Grid->HeaderHints(4), QStringLiteral("? = indéterminé"));
    QCOMPARE(Grid->HeaderHints(5), QStringLiteral("note"));
    QCOMPARE(Grid->Cells(0, 3), QStringLiteral("__Dictée"));
    const QString x = QStringLiteral(" X ");
    QCOMPARE(Row(*Grid, 1), (QStringList{QString(), QString(), QString(), x, QString()}));
    QCOMPARE(Row(*Grid, 2),
             (QStringList{QString(), QString(), x, QString(), QStringLiteral("15")}));
    QCOMPARE(Row(*Grid, 3),
             (QStringList{QString(), x, QString(), QString(), QStringLiteral("3,5")}));
    QCOMPARE(Row(*Grid, 4),
             (QStringList{QString(), QString(), QString(), x, QStringLiteral("11")}));
    QCOMPARE(Grid->FontColor(), QColor(0, 0, 128));
    QVERIFY(Grid->CanEdit());
    // A level outside 1 to 4 shows no cross.
    form.SelectNode(Pupil(1));
    QCOMPARE(Row(*Grid, 3), (QStringList{QString(), QString(), QString(), QString(), QString()}));
}

void TestMainFormGrid::classShowsTheSummary() {
    TMainForm& form = Start();
    form.SelectNode(form.Model().index(0, 0));
    QCOMPARE(Row(*Grid, 2), (QStringList{QStringLiteral("2"), QString(), QStringLiteral("1"),
                                         QString(), QStringLiteral("13,5")}));
    QCOMPARE(Row(*Grid, 4), (QStringList{QStringLiteral("1"), QStringLiteral("1"), QString(),
                                         QStringLiteral("1"), QStringLiteral("10,33")}));
    // Headings are counted too; the widget does not draw them.
    QCOMPARE(Row(*Grid, 1),
             (QStringList{QString(), QString(), QString(), QStringLiteral("3"), QString()}));
    QCOMPARE(Grid->FontColor(), QColor(128, 0, 0));
    QVERIFY(!Grid->CanEdit());
    // A click on the summary changes nothing.
    Click(2, 2);
    QCOMPARE(Row(*Grid, 2).first(), QStringLiteral("2"));
    QCOMPARE(Record(0).GetLevel(1), 1);
}

void TestMainFormGrid::clickStoresTheLevel() {
    TMainForm& form = Start();
    form.SelectNode(Pupil(0));
    Click(2, 2);
    QCOMPARE(Record(0).GetLevel(1), 2);
    QCOMPARE(Row(*Grid, 2), (QStringList{QString(), QStringLiteral(" X "), QString(), QString(),
                                         QStringLiteral("12")}));
    // A heading row takes no level.
    Click(1, 1);
    QCOMPARE(Record(0).GetLevel(0), 4);
    form.SelectNode(form.Model().index(0, 0));
    QCOMPARE(Row(*Grid, 2).mid(0, 3),
             (QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")}));
}

void TestMainFormGrid::typedMarks_data() {
    QTest::addColumn<bool>("french");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("message");
    QTest::newRow("point, two decimals")
        << true << QStringLiteral("12.75") << QStringLiteral("12,7") << 12.7 << QString();
    QTest::newRow("point and comma")
        << true << QStringLiteral("1.234,5") << QStringLiteral("1,2") << 1.2 << QString();
    QTest::newRow("a slash") << true << QStringLiteral("15/20") << QStringLiteral("1520") << 1520.0
                             << QString();
    QTest::newRow("a minus") << true << QStringLiteral("-3") << QStringLiteral("3") << 3.0
                             << QString();
    QTest::newRow("letters") << true << QStringLiteral("abc") << QString() << -1.0 << QString();
    QTest::newRow("whole, decimal point")
        << false << QStringLiteral("14") << QStringLiteral("14") << 14.0 << QString();
    QTest::newRow("decimal under a decimal point")
        << false << QStringLiteral("12,5") << QStringLiteral("-1") << 15.0
        << QStringLiteral("12,5 n'est pas un nombre réel valide");
}

void TestMainFormGrid::typedMarks() {
    QFETCH(bool, french);
    QFETCH(QString, message);
    TMainForm& form = Start(french ? QLocale(QLocale::French, QLocale::France)
                                   : QLocale(QLocale::English, QLocale::UnitedStates));
    // The file's "3,5" is unreadable under a decimal point: that message is not this test's.
    F->Driver.Messages.clear();
    form.SelectNode(Pupil(2));
    QFETCH(QString, typed);
    TypeMark(2, typed);
    QTEST(Grid->Cells(5, 2), "cell");
    QTEST(Record(2).GetMark(1), "stored");
    QCOMPARE(F->Driver.Messages, message.isEmpty() ? QStringList() : QStringList{message});
}

void TestMainFormGrid::emptiedMarkStoresNoMark() {
    TMainForm& form = Start();
    form.SelectNode(Pupil(2));
    TypeMark(4, QString());
    QCOMPARE(Record(2).GetMark(3), -1.0);
    QVERIFY(Grid->Cells(5, 4).isEmpty());
    // Shown again, the pupil keeps what was typed.
    form.SelectNode(Pupil(0));
    form.SelectNode(Pupil(2));
    QVERIFY(Grid->Cells(5, 4).isEmpty());
    QCOMPARE(Grid->Cells(5, 3), QStringLiteral("3,5"));
}

void TestMainFormGrid::classWithoutSubjectsHidesTheGrid() {
    TMainForm& form = Start();
    form.SelectNode(Pupil(0));
    QVERIFY(Grid->isVisible());
    form.SelectNode(form.Model().index(1, 0));
    QVERIFY(!Grid->isVisible());
}

void TestMainFormGrid::markTypedThenOtherPupilClickedGoesToTheFirst() {
    TMainForm& form = Start();
    auto* tree = F->Find<QTreeView>("Tree");
    tree->expandAll();
    form.SelectNode(Pupil(0));
    Click(Grid->EditCol(), 2);
    auto* editor = Grid->findChild<QLineEdit*>(QStringLiteral("InplaceEdit"));
    QVERIFY(editor && editor->isVisible());
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("17"));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(Pupil(1)).center());
    QCOMPARE(form.SelectedNode(), Pupil(1));
    QCOMPARE(Record(0).GetMark(1), 17.0);
    QCOMPARE(Record(1).GetMark(1), -1.0);
    QCOMPARE(Grid->Cells(5, 2), QString());
}

void TestMainFormGrid::markBeingTypedIsSavedAtQuit_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("menu");
    QTest::addColumn<bool>("cancelFirst");
    QTest::addColumn<bool>("french");
    QTest::addColumn<QString>("levels");
    QTest::addColumn<int>("messages");
    const QString typed = QStringLiteral("Levels=4:-1|1:17|2:-1|1:10|");
    const QString kept = QStringLiteral("Levels=4:-1|1:12|2:-1|1:10|");
    QTest::newRow("close button") << QStringLiteral("17") << false << false << true << typed << 0;
    QTest::newRow("menu quit") << QStringLiteral("17") << true << false << true << typed << 0;
    QTest::newRow("quit cancelled, then confirmed")
        << QStringLiteral("17") << false << true << true << typed << 0;
    QTest::newRow("not a number: told once")
        << QStringLiteral("12,5") << false << true << false << kept << 1;
}

// The quit dialog takes the focus, which the grid does not see as the end of
// the edit: the quit commits it, once.
void TestMainFormGrid::markBeingTypedIsSavedAtQuit() {
    QFETCH(QString, text);
    QFETCH(bool, menu);
    QFETCH(bool, cancelFirst);
    QFETCH(bool, french);
    QFETCH(QString, levels);
    TMainForm& form = Start(french ? QLocale(QLocale::French, QLocale::France)
                                   : QLocale(QLocale::English, QLocale::UnitedStates));
    form.SelectNode(Pupil(0));
    Click(Grid->EditCol(), 2);
    auto* editor = Grid->findChild<QLineEdit*>(QStringLiteral("InplaceEdit"));
    QVERIFY(editor && editor->isVisible());
    editor->selectAll();
    QTest::keyClicks(editor, text);
    if (cancelFirst)
        QVERIFY(!F->Quit(QStringLiteral("CancelBtn")));
    F->Driver.Answers << QStringLiteral("OkBtn");
    if (menu)
        F->Find<QAction>("FileExit")->trigger();
    else
        form.close();
    QTRY_VERIFY(!form.isVisible());
    QVERIFY(QString::fromLatin1(F->ReadFile(QStringLiteral("tree.dat"))).contains(levels));
    QTEST(int(F->Driver.Messages.filter(QStringLiteral("n'est pas un nombre réel valide")).size()),
          "messages");
}

QTEST_MAIN(TestMainFormGrid)
#include "tst_mainform_grid.moc"
