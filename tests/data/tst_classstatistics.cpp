#include "data/ClassStatistics.h"
#include "data/DatedCopies.h"
#include "data/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

struct TMarks {
    int Level;
    double Mark;
};

// A class of the given subject lines; each pupil a list of (level, mark).
TClassNode MakeClass(const QStringList& lines, const std::vector<std::vector<TMarks>>& pupils) {
    TClassNode schoolClass;
    schoolClass.Data = std::make_unique<TPData>(TDataType::dtClass);
    schoolClass.Data->SetLines(lines);
    for (const auto& entries : pupils) {
        auto pupil = std::make_unique<TNode>();
        pupil->Data = std::make_unique<TPData>(TDataType::dtPupil);
        pupil->Data->SetLevelCount(int(lines.size()));
        for (int i = 0; i < int(entries.size()); ++i) {
            pupil->Data->SetLevel(i, entries[std::size_t(i)].Level);
            pupil->Data->SetMark(i, entries[std::size_t(i)].Mark);
        }
        schoolClass.Pupils.push_back(std::move(pupil));
    }
    return schoolClass;
}

void Touch(const QString& path, const QByteArray& bytes = "x") {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TClassStatisticsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Four pupils, figures worked out by hand.
    void HandComputed() {
        const TClassNode schoolClass =
            MakeClass({u"$Français"_qs, u"_Lecture"_qs, u"_Ecriture"_qs, u"Maths"_qs},
                      {{{4, -1}, {1, 12}, {2, 8}, {1, 15}},
                       {{4, -1}, {1, 14}, {3, -1}, {1, 16}},
                       {{4, -1}, {2, 9}, {4, -1}, {2, 10}},
                       {{4, -1}, {3, 15}, {4, -1}, {1, -1}}});
        const std::vector<TSubjectStatistics> subjects = ClassStatistics(schoolClass);
        QCOMPARE(subjects.size(), std::size_t(4));

        QVERIFY(!subjects[0].Evaluated);
        QCOMPARE(subjects[0].Name, u"Français"_qs);
        QCOMPARE(subjects[0].LevelTotal(), 0);

        // Lecture: A A B C; marks 12 14 9 15: average 12.5, median (12+14)/2.
        const TSubjectStatistics& reading = subjects[1];
        QCOMPARE(reading.Depth, 1);
        QCOMPARE(reading.LevelCounts, (std::array<int, 4>{2, 1, 1, 0}));
        QCOMPARE(reading.Share(0), 0.5);
        QCOMPARE(reading.Share(2), 0.25);
        QCOMPARE(reading.MarkCount, 4);
        QCOMPARE(reading.Average, 12.5);
        QCOMPARE(reading.Median, 13.0);

        // Ecriture: B C ? ?; one mark.
        QCOMPARE(subjects[2].LevelCounts, (std::array<int, 4>{0, 1, 1, 2}));
        QCOMPARE(subjects[2].Share(3), 0.5);
        QCOMPARE(subjects[2].MarkCount, 1);
        QCOMPARE(subjects[2].Average, 8.0);
        QCOMPARE(subjects[2].Median, 8.0);

        // Maths: marks 15 16 10: average 41/3, median of three is the middle one.
        QCOMPARE(subjects[3].LevelCounts, (std::array<int, 4>{3, 1, 0, 0}));
        QCOMPARE(subjects[3].MarkCount, 3);
        QCOMPARE(subjects[3].Average, 41.0 / 3);
        QCOMPARE(subjects[3].Median, 15.0);
    }

    void NoPupils() {
        const TClassNode schoolClass = MakeClass({u"Maths"_qs}, {});
        const auto subjects = ClassStatistics(schoolClass);
        QCOMPARE(subjects[0].LevelTotal(), 0);
        QCOMPARE(subjects[0].Share(0), 0.0);
        QCOMPARE(subjects[0].Average, NoMark);
        QCOMPARE(subjects[0].Median, NoMark);
    }

    void Rotation_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("kept");
        QTest::addColumn<QStringList>("removed");
        QTest::newRow("under the limit")
            << QStringList{u"tree-2026-12-01.dat"_qs, u"tree-2026-12-02.dat"_qs} << 2
            << QStringList();
        QTest::newRow("oldest go, whatever the listing order")
            << QStringList{u"tree-2026-12-03.dat"_qs, u"tree-2025-12-31.dat"_qs,
                           u"tree-2026-01-15.dat"_qs, u"tree-2026-12-08.dat"_qs}
            << 2 << QStringList{u"tree-2026-01-15.dat"_qs, u"tree-2025-12-31.dat"_qs};
        QTest::newRow("other files are never counted nor removed")
            << QStringList{u"notes.txt"_qs,
                           u"tree-2026-13-01.dat"_qs,
                           u"tree-2026-12-01.dat.part"_qs,
                           u"tree.dat"_qs,
                           u"tree-2026-12-01.dat"_qs,
                           u"other-2020-01-01.dat"_qs}
            << 0 << QStringList{u"tree-2026-12-01.dat"_qs};
    }
    void Rotation() {
        QFETCH(QStringList, names);
        QFETCH(int, kept);
        QFETCH(QStringList, removed);
        QCOMPARE(DatedCopiesToRemove(u"/x/tree.dat"_qs, names, kept), removed);
    }

    void KeepsOneCopyADayAndTheMostRecent() {
        QTemporaryDir folder;
        const QString tree = folder.filePath(u"tree.dat"_qs);
        const QDir copies(folder.filePath(u"sauvegardes"_qs));
        // No file yet: nothing to keep, and no folder made.
        QVERIFY(!KeepDatedCopy(tree, QDate(2026, 12, 8)));
        QVERIFY(!copies.exists());

        Touch(tree, "first");
        QVERIFY(!KeepDatedCopy(tree, QDate(2026, 12, 8), 3));
        Touch(tree, "second");
        QVERIFY(!KeepDatedCopy(tree, QDate(2026, 12, 8), 3));
        QCOMPARE(copies.entryList(QDir::Files), QStringList{u"tree-2026-12-08.dat"_qs});
        QFile day(copies.filePath(u"tree-2026-12-08.dat"_qs));
        QVERIFY(day.open(QIODevice::ReadOnly));
        QCOMPARE(day.readAll(), QByteArray("second"));

        for (int d = 9; d <= 12; ++d)
            QVERIFY(!KeepDatedCopy(tree, QDate(2026, 12, d), 3));
        QCOMPARE(copies.entryList(QDir::Files),
                 (QStringList{u"tree-2026-12-10.dat"_qs, u"tree-2026-12-11.dat"_qs,
                              u"tree-2026-12-12.dat"_qs}));
    }

    // Whole percentages that add up to 100: the largest remainders take
    // what rounding down leaves over.
    void PercentsAddUpToAHundred_data() {
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<QList<int>>("percents");
        QTest::newRow("thirds") << QList<int>{1, 1, 1, 0} << QList<int>{34, 33, 33, 0};
        QTest::newRow("two thirds") << QList<int>{2, 1, 0, 0} << QList<int>{67, 33, 0, 0};
        QTest::newRow("sevenths") << QList<int>{1, 5, 1, 0} << QList<int>{14, 72, 14, 0};
        QTest::newRow("exact") << QList<int>{12, 13, 0, 0} << QList<int>{48, 52, 0, 0};
        QTest::newRow("sixths, tie to the first")
            << QList<int>{1, 1, 1, 3} << QList<int>{17, 17, 16, 50};
        QTest::newRow("nobody") << QList<int>{0, 0, 0, 0} << QList<int>{0, 0, 0, 0};
        QTest::newRow("a large class") << QList<int>{333, 333, 333, 1} << QList<int>{34, 33, 33, 0};
    }
    void PercentsAddUpToAHundred() {
        QFETCH(QList<int>, counts);
        QFETCH(QList<int>, percents);
        const std::array<int, 4> result =
            RoundedPercents({counts[0], counts[1], counts[2], counts[3]});
        QCOMPARE((QList<int>{result[0], result[1], result[2], result[3]}), percents);
    }

    void ACopyThatCannotBeMadeIsReported() {
        QTemporaryDir folder;
        const QString tree = folder.filePath(u"tree.dat"_qs);
        Touch(tree);
        // A file where the folder should be.
        Touch(folder.filePath(u"sauvegardes"_qs));
        QVERIFY(KeepDatedCopy(tree, QDate(2026, 12, 8)).has_value());
        QVERIFY(QFile::exists(tree));
    }

    // The copy takes no room until the save replaces the file, and keeps
    // the old bytes after it; the list comes newest first.
    void CopyIsASecondNameUntilTheFileIsReplaced() {
        QTemporaryDir folder;
        const QString tree = folder.filePath(u"tree.dat"_qs);
        QVERIFY(!WriteWholeFile(tree, "old"));
        QVERIFY(!KeepDatedCopy(tree, QDate(2026, 12, 8)));
        QVERIFY(!KeepDatedCopy(tree, QDate(2026, 12, 1)));
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(tree).constData(), &status), 0);
        QCOMPARE(status.st_nlink, nlink_t(3));
        QVERIFY(!WriteWholeFile(tree, "new"));
        const std::vector<TDatedCopy> copies = DatedCopiesOf(tree);
        QCOMPARE(copies.size(), std::size_t(2));
        QCOMPARE(copies[0].Day, QDate(2026, 12, 8));
        QCOMPARE(copies[1].Day, QDate(2026, 12, 1));
        QCOMPARE(ReadWholeFile(copies[0].Path).value_or(QByteArray()), QByteArray("old"));
        QCOMPARE(ReadWholeFile(tree).value_or(QByteArray()), QByteArray("new"));
    }
};

QTEST_APPLESS_MAIN(TClassStatisticsTest)
#include "tst_classstatistics.moc"
