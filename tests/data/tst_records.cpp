#include "data/ClassSummary.h"
#include "data/PData.h"
#include "data/SubjectLine.h"

#include <QTest>

class TestRecords : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void newPupilReadsDefaults();
    void settingBeyondTheEndGrowsTheList_data();
    void settingBeyondTheEndGrowsTheList();
    void negativeIndexIsRefused();
    void levelCountNeverEmptiesTheList();
    void evaluationsKeepEveryEntry_data();
    void evaluationsKeepEveryEntry();
    void assignLines();
    void textsAreCutAndFitted_data();
    void textsAreCutAndFitted();
    void nodeImages_data();
    void nodeImages();
    void subjectLines_data();
    void subjectLines();
    void subjectSummary();
};

void TestRecords::newPupilReadsDefaults() {
    const TPData pupil(TDataType::dtPupil);
    QCOMPARE(pupil.LevelCount(), 0);
    QCOMPARE(pupil.GetLevel(0), 4);
    QCOMPARE(pupil.GetMark(0), -1.0);
    QCOMPARE(pupil.GetLevel(-1), 4);
    QVERIFY(pupil.Surname().isEmpty());
    QVERIFY(pupil.Lines().isEmpty());
    QVERIFY(pupil.IsPupil() && !pupil.IsClass());
}

void TestRecords::settingBeyondTheEndGrowsTheList_data() {
    QTest::addColumn<bool>("setMark");
    QTest::addColumn<int>("expectedLevel");
    QTest::addColumn<double>("expectedMark");
    QTest::newRow("mark") << true << 4 << 12.5;
    QTest::newRow("level") << false << 2 << -1.0;
}

void TestRecords::settingBeyondTheEndGrowsTheList() {
    QFETCH(bool, setMark);
    TPData pupil(TDataType::dtPupil);
    if (setMark)
        pupil.SetMark(0, 12.5);
    else
        pupil.SetLevel(0, 2);
    QCOMPARE(pupil.LevelCount(), 1);
    QTEST(pupil.GetLevel(0), "expectedLevel");
    QTEST(pupil.GetMark(0), "expectedMark");
}

void TestRecords::negativeIndexIsRefused() {
    TPData pupil(TDataType::dtPupil);
    try {
        pupil.SetLevel(-1, 1);
        QFAIL("a negative index was taken");
    } catch (const EListError& error) {
        QCOMPARE(QString::fromUtf8(error.what()),
                 QStringLiteral("Indice de liste hors limites (-1)"));
    }
    QCOMPARE(pupil.LevelCount(), 0);
}

void TestRecords::levelCountNeverEmptiesTheList() {
    TPData pupil(TDataType::dtPupil);
    pupil.SetLevel(0, 1);
    pupil.SetMark(1, 15);
    pupil.SetLevel(2, 3);
    pupil.SetLevelCount(0);
    QCOMPARE(pupil.LevelCount(), 3);
    pupil.SetLevelCount(1);
    QCOMPARE(pupil.LevelCount(), 1);
    QCOMPARE(pupil.GetLevel(0), 1);
    pupil.SetLevelCount(5);
    QCOMPARE(pupil.LevelCount(), 5);
    QCOMPARE(pupil.GetLevel(0), 1);
    for (int i = 1; i < 5; ++i) {
        QCOMPARE(pupil.GetLevel(i), 4);
        QCOMPARE(pupil.GetMark(i), -1.0);
    }
}

// Marks and levels share one block, regrown as entries come and widened
// when a level does not fit a byte: every entry must survive each move.
void TestRecords::evaluationsKeepEveryEntry_data() {
    QTest::addColumn<int>("reserved");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("wideAt"); // -1 for none
    QTest::addColumn<bool>("appendWide");
    QTest::newRow("grown past the room made") << 3 << 40 << -1 << false;
    QTest::newRow("no room made") << 0 << 17 << -1 << false;
    QTest::newRow("wide level set in the middle") << 40 << 40 << 20 << false;
    QTest::newRow("wide level appended, room left") << 40 << 30 << 29 << true;
    QTest::newRow("wide level appended to a full block") << 8 << 20 << 8 << true;
    QTest::newRow("wide level first") << 0 << 5 << 0 << true;
}

void TestRecords::evaluationsKeepEveryEntry() {
    QFETCH(int, reserved);
    QFETCH(int, count);
    QFETCH(int, wideAt);
    QFETCH(bool, appendWide);
    constexpr int kWide = -300;
    const auto level = [&](int i) {
        return i == wideAt ? kWide : i % 4 + 1;
    };
    const auto mark = [](int i) {
        return i % 3 == 0 ? -1.0 : i * 0.5;
    };
    const auto check = [&](const TPData& pupil, int from) {
        for (int i = from; i < count; ++i) {
            QCOMPARE(pupil.GetLevel(i), level(i));
            QCOMPARE(pupil.GetMark(i), mark(i));
        }
    };
    TPData pupil(TDataType::dtPupil);
    pupil.ReserveLevels(reserved);
    for (int i = 0; i < count; ++i)
        pupil.AppendLevel(i == wideAt && !appendWide ? 1 : level(i), mark(i));
    if (wideAt >= 0 && !appendWide)
        pupil.SetLevel(wideAt, kWide);
    QCOMPARE(pupil.LevelCount(), count);
    check(pupil, 0);

    TPData copy = pupil;
    copy.SetLevel(0, 3);
    copy.SetMark(0, 7);
    QCOMPARE(copy.LevelCount(), count);
    check(copy, 1);
    check(pupil, 0);

    pupil.SetLevelCount(count + 2);
    check(pupil, 0);
    QCOMPARE(pupil.GetLevel(count + 1), 4);
    QCOMPARE(pupil.GetMark(count + 1), -1.0);
    pupil.SetLevelCount(1);
    QCOMPARE(pupil.LevelCount(), 1);
    QCOMPARE(pupil.GetLevel(0), level(0));
}

void TestRecords::assignLines() {
    TPData pupil(TDataType::dtPupil);
    pupil.SetLines({QStringLiteral("old")});
    pupil.AssignLines(nullptr);
    QVERIFY(pupil.Lines().isEmpty());
    pupil.SetLines({QStringLiteral("old")});
    const QStringList empty;
    pupil.AssignLines(&empty);
    QVERIFY(pupil.Lines().isEmpty());
    const QStringList three = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    pupil.AssignLines(&three);
    QCOMPARE(pupil.Lines(), three);
}

void TestRecords::textsAreCutAndFitted_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("300 characters") << QString(300, u'x') << QString(255, u'x');
    QTest::newRow("accents of the code page")
        << QStringLiteral("Éloïse Œuvre €") << QStringLiteral("Éloïse Œuvre €");
    QTest::newRow("accent missing from the code page")
        << QStringLiteral("Erdős") << QStringLiteral("Erdos");
    QTest::newRow("combining accent") << QStringLiteral("Rene\u0301") << QStringLiteral("René");
    QTest::newRow("letter missing from the code page")
        << QStringLiteral("Łukasz") << QStringLiteral("Lukasz");
    QTest::newRow("outside the BMP") << QStringLiteral("a\U0001F600b") << QStringLiteral("a?b");
    QTest::newRow("line breaks") << QStringLiteral("a\r\nb") << QStringLiteral("a  b");
    QTest::newRow("cut counts fitted characters")
        << QString(254, u'x') + QStringLiteral("\U0001F600yz") << QString(254, u'x') + u'?';
}

void TestRecords::textsAreCutAndFitted() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    TPData pupil(TDataType::dtPupil);
    pupil.SetSurname(typed);
    QCOMPARE(pupil.Surname(), stored);
    pupil.SetLines({typed});
    if (typed.size() <= 255)
        QCOMPARE(pupil.Lines().value(0), stored);
}

void TestRecords::nodeImages_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("sexe");
    QTest::addColumn<int>("image");
    QTest::addColumn<int>("selected");
    QTest::newRow("class") << int(TDataType::dtClass) << QString() << 0 << 1;
    QTest::newRow("undetermined") << int(TDataType::dtPupil) << QStringLiteral("Je ne sais pas")
                                  << 2 << 3;
    QTest::newRow("boy") << int(TDataType::dtPupil) << QStringLiteral("Garçon") << 4 << 5;
    QTest::newRow("girl") << int(TDataType::dtPupil) << QStringLiteral("Fille") << 6 << 7;
    QTest::newRow("other text") << int(TDataType::dtPupil) << QStringLiteral("F") << 6 << 7;
    QTest::newRow("case differs") << int(TDataType::dtPupil) << QStringLiteral("garçon") << 6 << 7;
    QTest::newRow("empty") << int(TDataType::dtPupil) << QString() << 6 << 7;
}

void TestRecords::nodeImages() {
    QFETCH(int, kind);
    QFETCH(QString, sexe);
    TPData data(static_cast<TDataType>(kind));
    data.SetSexe(sexe);
    const auto [image, selected] = NodeImages(data);
    QTEST(image, "image");
    QTEST(selected, "selected");
}

void TestRecords::subjectLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("evaluated");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QString>("name");
    // How the printed sheets read the same line: never its last character.
    QTest::addColumn<int>("printedDepth");
    QTest::addColumn<QString>("printedName");
    QTest::newRow("top heading") << QStringLiteral("$Français") << false << 0
                                 << QStringLiteral("Français") << 0 << QStringLiteral("Français");
    QTest::newRow("child") << QStringLiteral("_Lecture") << true << 1 << QStringLiteral("Lecture")
                           << 1 << QStringLiteral("Lecture");
    QTest::newRow("underscores and a blank") << QStringLiteral("__ Nom") << true << 3
                                             << QStringLiteral("Nom") << 3 << QStringLiteral("Nom");
    QTest::newRow("tab") << QStringLiteral("$\t_x") << false << 2 << QStringLiteral("x") << 2
                         << QStringLiteral("x");
    QTest::newRow("dollar inside")
        << QStringLiteral("_$x") << true << 1 << QStringLiteral("$x") << 1 << QStringLiteral("$x");
    QTest::newRow("empty") << QString() << true << 0 << QString() << 0 << QString();
    QTest::newRow("a lone depth mark")
        << QStringLiteral("_") << true << 1 << QString() << 0 << QStringLiteral("_");
    QTest::newRow("depth marks only")
        << QStringLiteral("$__") << false << 2 << QString() << 1 << QStringLiteral("_");
    QTest::newRow("a lone heading mark")
        << QStringLiteral("$") << false << 0 << QString() << 0 << QString();
}

void TestRecords::subjectLines() {
    QFETCH(QString, line);
    const TSubjectLine subject = ParseSubjectLine(line);
    QTEST(subject.Evaluated, "evaluated");
    QTEST(subject.Depth, "depth");
    QTEST(subject.Name, "name");
    const TSubjectLine printed = ParseSubjectLine(line, TDepthRule::KeepName);
    QCOMPARE(printed.Evaluated, subject.Evaluated);
    QTEST(printed.Depth, "printedDepth");
    QTEST(printed.Name, "printedName");
    if (!line.contains(u' ') && !line.contains(u'\t'))
        QCOMPARE(EncodeSubjectLine(subject), line);
}

void TestRecords::subjectSummary() {
    TClassNode schoolClass;
    const int levels[] = {1, 1, 3, 7};
    const double marks[] = {12, NoMark, 15, 20};
    for (int i = 0; i < 4; ++i) {
        auto pupil = std::make_unique<TNode>();
        pupil->Data = std::make_unique<TPData>(TDataType::dtPupil);
        pupil->Data->SetLevel(0, levels[i]);
        pupil->Data->SetMark(0, marks[i]);
        schoolClass.Pupils.push_back(std::move(pupil));
    }
    const TSubjectSummary summary = SummarizeSubject(schoolClass, 0);
    QCOMPARE(summary.LevelCounts, (std::array<int, 4>{2, 0, 1, 0}));
    QCOMPARE(summary.MarkCount, 3);
    QCOMPARE(summary.Average(), 47.0 / 3);
    // A subject beyond a pupil's list reads as "?" without a mark.
    const TSubjectSummary beyond = SummarizeSubject(schoolClass, 5);
    QCOMPARE(beyond.LevelCounts, (std::array<int, 4>{0, 0, 0, 4}));
    QCOMPARE(beyond.Average(), NoMark);
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
