#include "data/SafeFile.h"
#include "data/SubjectImport.h"
#include "data/SubjectRemap.h"

#include <QTemporaryDir>
#include <QTest>

using TLevels = QList<QPair<int, double>>;
Q_DECLARE_METATYPE(TLevels)

namespace {

// The old pupil: entry j has level (j mod 3) + 1 and mark 10 + j.
TPData OldPupil(int count) {
    TPData pupil(TDataType::dtPupil);
    pupil.SetSurname(QStringLiteral("Untel"));
    pupil.SetName(QStringLiteral("Jean"));
    pupil.SetBirthDay(QStringLiteral("12 mars 1995"));
    pupil.SetClassName(QStringLiteral("CM1"));
    pupil.SetSexe(QStringLiteral("Garçon"));
    pupil.SetLines({QStringLiteral("Bon travail.")});
    for (int j = 0; j < count; ++j) {
        pupil.SetLevel(j, j % 3 + 1);
        pupil.SetMark(j, 10 + j);
    }
    return pupil;
}

QPair<int, double> Old(int j) {
    return {j % 3 + 1, 10.0 + j};
}

const QPair<int, double> kReset{DefaultLevel, NoMark};

QByteArray Utf16(const QString& text) {
    QByteArray bytes("\xFF\xFE");
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

} // namespace

class TestSubjectData : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void remap_data();
    void remap();
    void remapKeepsIdentityAndRemarks();
    void remapFollowsTheNode_data();
    void remapFollowsTheNode();
    void lostEvaluations_data();
    void lostEvaluations();
    void barNeverReachesALine();
    void readList_data();
    void readList();
    void readFileErrors();
};

void TestSubjectData::remap_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("oldLines");
    QTest::addColumn<QStringList>("newLines");
    QTest::addColumn<TLevels>("expected");
    const QLocale french(QLocale::French, QLocale::France);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QStringList abc{QStringLiteral("A"), QStringLiteral("_B"), QStringLiteral("C")};

    QTest::newRow("unchanged") << french << abc << abc << TLevels{Old(0), Old(1), Old(2)};
    QTest::newRow("rename") << french << abc << QStringList{u"A"_qs, u"_Bb"_qs, u"C"_qs}
                            << TLevels{Old(0), kReset, Old(2)};
    QTest::newRow("depth change") << french << abc << QStringList{u"A"_qs, u"B"_qs, u"__C"_qs}
                                  << TLevels{Old(0), kReset, kReset};
    QTest::newRow("heading switch") << french << abc << QStringList{u"$A"_qs, u"_B"_qs, u"C"_qs}
                                    << TLevels{kReset, Old(1), Old(2)};
    QTest::newRow("reorder") << french << abc << QStringList{u"C"_qs, u"A"_qs, u"_B"_qs}
                             << TLevels{Old(2), Old(0), Old(1)};
    QTest::newRow("case, accented capitals")
        << french << QStringList{u"Français"_qs, u"_éveil"_qs, u"$Maths"_qs, u"Ecole"_qs}
        << QStringList{u"FRANÇAIS"_qs, u"_ÉVEIL"_qs, u"$maths"_qs, u"école"_qs}
        << TLevels{Old(0), Old(1), kReset, kReset};
    QTest::newRow("case, English rules")
        << english << QStringList{u"Éveil"_qs} << QStringList{u"éVEIL"_qs} << TLevels{Old(0)};
    QTest::newRow("duplicate new lines")
        << french << abc << QStringList{u"C"_qs, u"c"_qs} << TLevels{Old(2), Old(2)};
    QTest::newRow("duplicate old lines") << french << QStringList{u"A"_qs, u"A"_qs, u"a"_qs}
                                         << QStringList{u"a"_qs} << TLevels{Old(0)};
    QTest::newRow("heading with an older entry")
        << french << QStringList{u"$A"_qs, u"B"_qs} << QStringList{u"$A"_qs, u"B"_qs}
        << TLevels{kReset, Old(1)};
    QTest::newRow("empty line") << french << QStringList{QString(), u"A"_qs}
                                << QStringList{QString(), u"A"_qs} << TLevels{kReset, Old(1)};
    QTest::newRow("new line") << french << abc << QStringList{u"D"_qs, u"A"_qs}
                              << TLevels{kReset, Old(0)};
    QTest::newRow("remove all") << french << abc << QStringList{} << TLevels{};
    QTest::newRow("from none") << french << QStringList{} << abc << TLevels{kReset, kReset, kReset};
}

void TestSubjectData::remap() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, oldLines);
    QFETCH(QStringList, newLines);
    QFETCH(TLevels, expected);
    const TPData old = OldPupil(int(oldLines.size()));
    const auto remapped = RemapPupil(old, oldLines, newLines, locale);
    TLevels levels;
    for (int i = 0; i < remapped->LevelCount(); ++i)
        levels.append({remapped->GetLevel(i), remapped->GetMark(i)});
    QCOMPARE(levels, expected);
}

void TestSubjectData::remapKeepsIdentityAndRemarks() {
    const TPData old = OldPupil(1);
    const auto remapped = RemapPupil(old, {u"A"_qs}, {u"A"_qs}, QLocale::c());
    QVERIFY(remapped->IsPupil());
    QCOMPARE(remapped->Surname(), old.Surname());
    QCOMPARE(remapped->Name(), old.Name());
    QCOMPARE(remapped->BirthDay(), old.BirthDay());
    QCOMPARE(remapped->ClassName(), old.ClassName());
    QCOMPARE(remapped->Sexe(), old.Sexe());
    QCOMPARE(remapped->Lines(), old.Lines());
}

void TestSubjectData::remapFollowsTheNode_data() {
    QTest::addColumn<QStringList>("newLines");
    QTest::addColumn<QList<int>>("origins");
    QTest::addColumn<TLevels>("expected");
    // Old lines: "A", "_B", "C".
    QTest::newRow("renamed") << QStringList{u"A"_qs, u"_Bb"_qs, u"C"_qs} << QList<int>{0, 1, 2}
                             << TLevels{Old(0), Old(1), Old(2)};
    QTest::newRow("two names swapped") << QStringList{u"C"_qs, u"_B"_qs, u"A"_qs}
                                       << QList<int>{0, 1, 2} << TLevels{Old(0), Old(1), Old(2)};
    QTest::newRow("renamed and moved") << QStringList{u"A"_qs, u"C"_qs, u"_Bb"_qs}
                                       << QList<int>{0, 2, 1} << TLevels{Old(0), Old(2), Old(1)};
    QTest::newRow("moved to another depth: as before")
        << QStringList{u"A"_qs, u"B"_qs, u"_C"_qs} << QList<int>{0, 1, 2}
        << TLevels{Old(0), kReset, kReset};
    QTest::newRow("turned into a heading")
        << QStringList{u"$A"_qs, u"_B"_qs, u"C"_qs} << QList<int>{0, 1, 2}
        << TLevels{kReset, Old(1), Old(2)};
    QTest::newRow("new nodes match by their line")
        << QStringList{u"c"_qs, u"_x"_qs} << QList<int>{-1, -1} << TLevels{Old(2), kReset};
    QTest::newRow("origins beyond the old lines")
        << QStringList{u"Z"_qs} << QList<int>{7} << TLevels{kReset};
}

void TestSubjectData::remapFollowsTheNode() {
    QFETCH(QStringList, newLines);
    QFETCH(QList<int>, origins);
    QFETCH(TLevels, expected);
    const QStringList oldLines{u"A"_qs, u"_B"_qs, u"C"_qs};
    const TPData old = OldPupil(3);
    const auto remapped =
        RemapPupil(old, MapSubjectLines(oldLines, newLines, origins, QLocale::c()));
    TLevels levels;
    for (int i = 0; i < remapped->LevelCount(); ++i)
        levels.append({remapped->GetLevel(i), remapped->GetMark(i)});
    QCOMPARE(levels, expected);
}

void TestSubjectData::lostEvaluations_data() {
    QTest::addColumn<QStringList>("newLines");
    QTest::addColumn<QList<int>>("origins");
    QTest::addColumn<QString>("question"); // empty: nothing to ask
    QTest::newRow("nothing lost") << QStringList{u"$Français"_qs, u"_LECTURE"_qs, u"_Écrit"_qs,
                                                 u"Géométrie"_qs, u"Chant"_qs}
                                  << QList<int>{} << QString();
    QTest::newRow("a subject with nothing recorded")
        << QStringList{u"$Français"_qs, u"_Lecture"_qs, u"_Écrit"_qs, u"Géométrie"_qs}
        << QList<int>{} << QString();
    QTest::newRow("renamed in the tree") << QStringList{u"$Français"_qs, u"_Lecture suivie"_qs,
                                                        u"_Écrit"_qs, u"Géométrie"_qs, u"Chant"_qs}
                                         << QList<int>{0, 1, 2, 3, 4} << QString();
    QTest::newRow("renamed in the memo") << QStringList{u"$Français"_qs, u"_Lecture suivie"_qs,
                                                        u"_Écrit"_qs, u"Géométrie"_qs, u"Chant"_qs}
                                         << QList<int>{}
                                         << u"2 évaluations enregistrées seront effacées "
                                            "(Lecture). Continuer ?"_qs;
    QTest::newRow("all removed") << QStringList{} << QList<int>{}
                                 << u"4 évaluations enregistrées seront effacées (Lecture, "
                                    "Écrit, Géométrie). Continuer ?"_qs;
    QTest::newRow("one mark, one comment")
        << QStringList{u"$Français"_qs, u"_Lecture"_qs, u"Chant"_qs} << QList<int>{}
        << u"2 évaluations enregistrées seront effacées (Écrit, Géométrie). Continuer ?"_qs;
}

// Two pupils: Lecture holds a level for both, Écrit a comment for the
// first, Géométrie a mark for the second, Chant nothing.
void TestSubjectData::lostEvaluations() {
    QFETCH(QStringList, newLines);
    QFETCH(QList<int>, origins);
    const QStringList oldLines{u"$Français"_qs, u"_Lecture"_qs, u"_Écrit"_qs, u"Géométrie"_qs,
                               u"Chant"_qs};
    TPData first(TDataType::dtPupil);
    TPData second(TDataType::dtPupil);
    for (TPData* pupil : {&first, &second})
        pupil->SetLevelCount(5);
    first.SetLevel(0, 1); // a heading's entry holds nothing to lose
    first.SetLevel(1, 2);
    second.SetLevel(1, 1);
    first.SetComment(2, u"à revoir"_qs);
    second.SetMark(3, 0);
    const std::vector<int> mapping = MapSubjectLines(oldLines, newLines, origins, QLocale::c());
    const TLostEvaluations lost = LostEvaluations({&first, &second}, oldLines, mapping);
    QFETCH(QString, question);
    QCOMPARE(lost.Count > 0 ? LostEvaluationsQuestion(lost) : QString(), question);
}

void TestSubjectData::barNeverReachesALine() {
    TPData record(TDataType::dtClass);
    record.SetLines({u"Lecture | écriture"_qs});
    record.AppendLine(u"a|b|"_qs);
    QCOMPARE(record.Lines(), (QStringList{u"Lecture / écriture"_qs, u"a/b/"_qs}));
    // A text field keeps it: it reads back whole.
    record.SetClassName(u"CM1|CM2"_qs);
    QCOMPARE(record.ClassName(), u"CM1|CM2"_qs);
}

void TestSubjectData::readList_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");
    const QStringList subjects{u"$Français"_qs, u"_Lecture"_qs, u"\tÉcriture"_qs, u" Calcul"_qs};
    const QString text = subjects.join(u"\r\n"_qs) + u"\r\n"_qs;

    QTest::newRow("Windows-1252") << QByteArray("$Fran\xE7"
                                                "ais\r\n_Lecture\r\n\t\xC9"
                                                "criture\r\n Calcul")
                                  << subjects;
    QTest::newRow("UTF-8") << text.toUtf8() << subjects;
    QTest::newRow("UTF-8 with a mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8() << subjects;
    QTest::newRow("UTF-16 with a mark") << Utf16(text) << subjects;
    QTest::newRow("LF and CR ends") << QByteArray("a\nb\rc\r\n\r\nd")
                                    << QStringList{u"a"_qs, u"b"_qs, u"c"_qs, QString(), u"d"_qs};
    QTest::newRow("empty") << QByteArray() << QStringList{};
    QTest::newRow("one line end") << QByteArray("\r\n") << QStringList{QString()};
    QTest::newRow("RTF tables, escapes, unicode")
        << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
                      "{\\colortbl ;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}"
                      "{\\info{\\title Mes mati\\'e8res}{\\author Moi}}"
                      "{\\*\\generator Riched20 10.0;}\\viewkind4\\uc1\\pard\\f0\\fs20 "
                      "$Fran\\'e7ais\\par\r\n_Lecture\\par\r\n\\tab \\u201?criture\\par\r\n"
                      "{\\b  Calcul}\\par\r\n}")
        << subjects;
    QTest::newRow("RTF picture and symbols")
        << QByteArray("{\\rtf1{\\pict\\pngblip 89504e47}a\\{b\\}\\\\c\\line d\\~e\\uc0\\u8364 f}")
        << QStringList{u"a{b}\\c"_qs, u"d\u00A0e\u20ACf"_qs};
    QTest::newRow("RTF last line without a paragraph end")
        << QByteArray("{\\rtf1 un\\par deux}") << QStringList{u"un"_qs, u"deux"_qs};
    QTest::newRow("RTF lone surrogate")
        << QByteArray("{\\rtf1\\uc0\\u-10240 x}") << QStringList{u"\uFFFDx"_qs};
    QTest::newRow("UTF-32 out of range") << QByteArray::fromBase64("AAD+///2X0xloXJ0ZnT0//91")
                                         << QStringList{u"\uD557\uFFFD\u401C\uFFFD\u74FD\uFFFD"_qs};
    QTest::newRow("RTF-looking text after a mark")
        << QByteArray("\xEF\xBB\xBF{\\rtf1 a}") << QStringList{u"{\\rtf1 a}"_qs};
}

void TestSubjectData::readList() {
    QFETCH(QByteArray, bytes);
    const TSubjectImport imported = ReadSubjectList(bytes);
    QVERIFY2(imported.Ok(), qPrintable(imported.Error));
    QTEST(imported.Lines, "expected");
    // What is read, written back as a list, reads the same.
    QCOMPARE(ReadSubjectList(EncodeSubjectList(imported.Lines)).Lines, imported.Lines);
}

void TestSubjectData::readFileErrors() {
    QCOMPARE(ReadSubjectList("{\\rtf1 a}}").Error, StreamLoadError());

    QTemporaryDir folder;
    const QString missing = folder.filePath(u"absent.txt"_qs);
    QCOMPARE(ReadSubjectFile(missing).Error, u"Impossible d'ouvrir le fichier "_qs + missing);
    QCOMPARE(ReadSubjectFile(folder.path()).Error, OpenFileError(folder.path()));

    const QString big = folder.filePath(u"big.txt"_qs);
    QVERIFY(!WriteWholeFile(big, QByteArray(MaxSubjectFileSize + 1, 'a')));
    QCOMPARE(ReadSubjectFile(big).Error, SubjectFileTooLargeError(big));
    QVERIFY(!WriteWholeFile(big, QByteArray(MaxSubjectFileSize, 'a')));
    QCOMPARE(ReadSubjectFile(big).Lines.size(), 1);
    // A device that never ends is refused, not read forever.
    QCOMPARE(ReadSubjectFile(u"/dev/zero"_qs).Error, SubjectFileTooLargeError(u"/dev/zero"_qs));
}

QTEST_GUILESS_MAIN(TestSubjectData)
#include "tst_subjectdata.moc"
