#include "data/ClassPaste.h"
#include "data/PupilOrder.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A grid of three pupils and two subjects: level, mark, level, mark.
const std::vector<TEntryKind> kColumns{TEntryKind::Level, TEntryKind::Mark, TEntryKind::Level,
                                       TEntryKind::Mark};

// An entry written as "row,column=A" for a level, "row,column=12.5" for a
// mark, "row,column=-" for no mark.
QString Describe(const TPastedEntry& entry, TEntryKind kind) {
    QString value;
    if (kind == TEntryKind::Level)
        value = u"ABC?"_s.mid(entry.Level - 1, 1);
    else
        value = entry.Mark < 0 ? u"-"_s : QString::number(entry.Mark);
    return u"%1,%2=%3"_s.arg(entry.Row).arg(entry.Column).arg(value);
}

std::unique_ptr<TClassNode> ClassOf(const QList<std::pair<QString, QString>>& names) {
    auto schoolClass = std::make_unique<TClassNode>();
    for (const auto& [surname, name] : names)
        schoolClass->Pupils.push_back(NewPupilNode({surname, name, {}, {}, u"CM1"_s}, 0));
    return schoolClass;
}

using TNames = QList<std::pair<QString, QString>>;

} // namespace

class TestClassEntryData : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void paste_data();
    void paste();
    void quotedCells();
    void frenchOrder_data();
    void frenchOrder();
};

void TestClassEntryData::paste_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("startRow");
    QTest::addColumn<int>("startColumn");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("skipped");

    QTest::newRow("letters any case, digits")
        << u"a\t\tB\n3\t\t?\n"_s << 0 << 0
        << QStringList{u"0,0=A"_s, u"0,1=-"_s, u"0,2=B"_s, u"1,0=C"_s, u"1,1=-"_s, u"1,2=?"_s} << 0;
    QTest::newRow("marks with comma or point, cut to one decimal")
        << u"12,5\t\t8.75\n15\t\t,5\n"_s << 0 << 1
        << QStringList{u"0,1=12.5"_s, u"0,2=?"_s, u"0,3=8.7"_s,
                       u"1,1=15"_s,   u"1,2=?"_s, u"1,3=0.5"_s}
        << 0;
    QTest::newRow("blanks clear, CR LF rows")
        << u"  \t \r\n"_s << 2 << 0 << QStringList{u"2,0=?"_s, u"2,1=-"_s} << 0;
    QTest::newRow("junk skipped and counted")
        << u"D\tdouze\tAB\t-3\n1 234\t12/20\t5\t1e3\n"_s << 0 << 0 << QStringList{} << 8;
    QTest::newRow("ragged rows touch only their cells")
        << u"A\nB\t11\tC\n\nC"_s << 0 << 0
        << QStringList{u"0,0=A"_s, u"1,0=B"_s, u"1,1=11"_s, u"1,2=C"_s, u"2,0=?"_s} << 1;
    QTest::newRow("more columns and rows than the class has")
        << u"A\t10\tB\t11\tC\t12\n\n\nB\n"_s << 1 << 0
        << QStringList{u"1,0=A"_s, u"1,1=10"_s, u"1,2=B"_s, u"1,3=11"_s, u"2,0=?"_s} << 3;
    QTest::newRow("from the last column, the rest falls outside")
        << u"9\tA\t\t\n"_s << 0 << 3 << QStringList{u"0,3=9"_s} << 1;
    QTest::newRow("empty text") << QString() << 0 << 0 << QStringList{} << 0;
}

void TestClassEntryData::paste() {
    QFETCH(QString, text);
    QFETCH(int, startRow);
    QFETCH(int, startColumn);
    QFETCH(QStringList, entries);
    QFETCH(int, skipped);
    const TPasteResult result = ParseClassPaste(text, startRow, startColumn, 3, kColumns);
    QStringList got;
    for (const TPastedEntry& entry : result.Entries)
        got << Describe(entry, kColumns[std::size_t(entry.Column)]);
    QCOMPARE(got, entries);
    QCOMPARE(result.Skipped, skipped);
}

void TestClassEntryData::quotedCells() {
    // A spreadsheet quotes a cell holding a tab or a line break.
    const QList<QStringList> rows =
        SplitTabSeparated(u"\"a\tb\"\t\"say \"\"hi\"\"\"\n\"x\ny\"\n"_s);
    QCOMPARE(rows, (QList<QStringList>{{u"a\tb"_s, u"say \"hi\""_s}, {u"x\ny"_s}}));
}

void TestClassEntryData::frenchOrder_data() {
    QTest::addColumn<TNames>("pupils");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("accents and case ignored") << TNames{{u"Martin"_s, u"Zoé"_s},
                                                        {u"élodie"_s, u"Anne"_s},
                                                        {u"Emery"_s, u"Paul"_s},
                                                        {u"Eddy"_s, u"Luc"_s},
                                                        {u"dupont"_s, u"Jean"_s}}
                                              << QList<int>{4, 3, 1, 2, 0};
    QTest::newRow("first name after surname, accents ignored there too")
        << TNames{{u"Lefèvre"_s, u"Zoé"_s}, {u"LEFEVRE"_s, u"Anne"_s}, {u"Lefevre"_s, u"Émile"_s}}
        << QList<int>{1, 2, 0};
    QTest::newRow("equal names keep their order")
        << TNames{{u"Roux"_s, u"Léa"_s}, {u"Abel"_s, u"Tom"_s}, {u"ROUX"_s, u"lea"_s}}
        << QList<int>{1, 0, 2};
    QTest::newRow("empty class") << TNames{} << QList<int>{};
}

void TestClassEntryData::frenchOrder() {
    QFETCH(TNames, pupils);
    QFETCH(QList<int>, order);
    const auto schoolClass = ClassOf(pupils);
    const std::vector<int> got = FrenchPupilOrder(*schoolClass);
    QCOMPARE(QList<int>(got.begin(), got.end()), order);
}

QTEST_GUILESS_MAIN(TestClassEntryData)
#include "tst_classentrydata.moc"
