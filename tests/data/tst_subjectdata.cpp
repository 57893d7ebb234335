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
