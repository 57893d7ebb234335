#include "data/SubjectRemap.h"
#include "data/WorkspaceReader.h"
#include "data/WorkspaceWriter.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDate kDay(2026, 12, 6);

const TRegionalSettings& French() {
    static const TRegionalSettings settings =
        TRegionalSettings::FromLocale(QLocale(QLocale::French, QLocale::France));
    return settings;
}

// One class of three subject lines, one pupil whose block ends with the
// given lines.
QByteArray Workspace(const QByteArray& afterRemarks) {
    return "Quillorin v1.0 BETA\r\nFile created on : 06/12/2026\r\n\r\nNbClasses=1\r\n"
           "NbPupils=1\r\n\r\n[Class]\r\nClassName=CM1\r\nMatters=$Fran\xE7"
           "ais|_Lecture|Calcul|\r\n\r\n[Pupil]\r\nSurname=Untel\r\nName=Jean\r\n"
           "BirthDay=\r\nClass=CM1\r\nSexe=Gar\xE7on\r\nLevels=4:-1|1:15,5|2:-1|\r\n"
           "Remarks=Bien.|\r\n" +
           afterRemarks;
}

const TPData& Pupil(const TWorkspace& tree) {
    return *tree.Classes.front()->Pupils.front()->Data;
}

} // namespace

class TestComments : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readAndWritten_data();
    void readAndWritten();
    void storedAsOneLineWithoutBar();
    void followTheSubjects();
};

void TestComments::readAndWritten_data() {
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QStringList>("comments");
    QTest::addColumn<bool>("writesBackTheSame");
    QTest::newRow("none") << QByteArray() << QStringList{u""_s, u""_s, u""_s} << true;
    QTest::newRow("one") << QByteArray("Comments=|revoir les tables de 7||\r\n")
                         << QStringList{u""_s, u"revoir les tables de 7"_s, u""_s} << true;
    QTest::newRow("accents, key in other capitals")
        << QByteArray("COMMENTS=||tr\xE8s bien|\r\n") << QStringList{u""_s, u""_s, u"très bien"_s}
        << false;
    QTest::newRow("more entries than subjects")
        << QByteArray("Comments=a|b|c|d|\r\n") << QStringList{u"a"_s, u"b"_s, u"c"_s} << false;
    QTest::newRow("last entry without its bar")
        << QByteArray("Comments=a|b|c\r\n") << QStringList{u"a"_s, u"b"_s, u""_s} << false;
    QTest::newRow("all empty: no line written")
        << QByteArray("Comments=|||\r\n") << QStringList{u""_s, u""_s, u""_s} << false;
    QTest::newRow("a note between blocks is no comment")
        << QByteArray("\r\nComments=a|b|c|\r\n") << QStringList{u""_s, u""_s, u""_s} << false;
}

// Read into the pupil's record, written after "Remarks=" only when there is
// a comment; the load says when writing would not give the file back.
void TestComments::readAndWritten() {
    QFETCH(QByteArray, after);
    QFETCH(QStringList, comments);
    QFETCH(bool, writesBackTheSame);
    TWorkspace tree;
    const QByteArray file = Workspace(after);
    const TLoadResult result = LoadWorkspaceFromBytes(file, tree, French(), [](const QString&) {});
    QCOMPARE(result.Complete(), writesBackTheSame);
    const TPData& pupil = Pupil(tree);
    for (int i = 0; i < comments.size(); ++i)
        QCOMPARE(pupil.GetComment(i), comments[i]);
    const QByteArray saved = EncodeWorkspace(tree, French(), kDay);
    if (writesBackTheSame)
        QCOMPARE(saved, file);
    QCOMPARE(saved.contains("Comments="), pupil.HasComments());

    TWorkspace again;
    QVERIFY(LoadWorkspaceFromBytes(saved, again, French(), [](const QString&) {}).Complete());
    QCOMPARE(EncodeWorkspace(again, French(), kDay), saved);
}

void TestComments::storedAsOneLineWithoutBar() {
    TPData pupil(TDataType::dtPupil);
    pupil.SetLevelCount(3);
    pupil.SetComment(1, QStringLiteral(" 7|8\r\nà revoir "));
    QCOMPARE(pupil.GetComment(1), QStringLiteral("7/8  à revoir"));
    QVERIFY(pupil.HasComments());
    pupil.SetComment(1, QString());
    QVERIFY(!pupil.HasComments());
    pupil.SetComment(2, QStringLiteral("x"));
    pupil.SetLevelCount(2);
    QVERIFY(!pupil.HasComments());
    QCOMPARE(pupil.GetComment(-1), QString());
}

// As levels and marks do: kept by an equal line wherever it goes, lost by a
// line renamed or turned into a heading.
void TestComments::followTheSubjects() {
    TPData pupil(TDataType::dtPupil);
    const QStringList before = {u"Lecture"_s, u"Calcul"_s, u"Chant"_s};
    for (int i = 0; i < before.size(); ++i) {
        pupil.SetLevel(i, 1);
        pupil.SetComment(i, QStringLiteral("sur ") + before[i]);
    }
    const auto after =
        RemapPupil(pupil, before, {u"$Chant"_s, u"CALCUL"_s, u"Poésie"_s, u"Lecture"_s},
                   QLocale(QLocale::French, QLocale::France));
    QCOMPARE(after->GetComment(0), QString());
    QCOMPARE(after->GetComment(1), QStringLiteral("sur Calcul"));
    QCOMPARE(after->GetComment(2), QString());
    QCOMPARE(after->GetComment(3), QStringLiteral("sur Lecture"));
}

QTEST_GUILESS_MAIN(TestComments)
#include "tst_comments.moc"
