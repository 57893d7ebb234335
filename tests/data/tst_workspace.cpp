#include "data/Cp1252.h"
#include "data/SafeFile.h"
#include "data/WorkspaceReader.h"
#include "data/WorkspaceWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <csignal>

namespace {

const TRegionalSettings& French() {
    static const TRegionalSettings settings =
        TRegionalSettings::FromLocale(QLocale(QLocale::French, QLocale::France));
    return settings;
}

const TRegionalSettings& English() {
    static const TRegionalSettings settings =
        TRegionalSettings::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    return settings;
}

const QDate kDay(2026, 12, 6);

QByteArray Crlf(QByteArray text) {
    return text.replace("\n", "\r\n");
}

struct TLoaded {
    TWorkspace Tree;
    TLoadResult Result;
    QStringList Messages;
};

TLoaded Load(const QByteArray& bytes, const TRegionalSettings& regional = French()) {
    TLoaded loaded;
    loaded.Result = LoadWorkspaceFromBytes(bytes, loaded.Tree, regional,
                                           [&](const QString& text) { loaded.Messages << text; });
    return loaded;
}

// "class: pupil, pupil; class: ..." with the node texts.
QString Outline(const TWorkspace& tree) {
    QStringList classes;
    for (const auto& schoolClass : tree.Classes) {
        QStringList pupils;
        for (const auto& pupil : schoolClass->Pupils)
            pupils << pupil->Text;
        classes << schoolClass->Text + u':' + pupils.join(u',');
    }
    return classes.join(u';');
}

QString Levels(const TPData& pupil) {
    QStringList entries;
    for (int i = 0; i < pupil.LevelCount(); ++i)
        entries << QStringLiteral("%1:%2").arg(pupil.GetLevel(i)).arg(pupil.GetMark(i));
    return entries.join(u' ');
}

QByteArray ReadTestFile(const QString& name) {
    QFile file(QFINDTESTDATA(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test file");
    return file.readAll();
}

// Fails every write once the given number of bytes has gone through.
class TFailingSaveFile : public QSaveFile {
public:
    TFailingSaveFile(const QString& name, qint64 budget)
        : QSaveFile(name)
        , FBudget(budget) {}

protected:
    qint64 writeData(const char* data, qint64 size) override {
        if (size > FBudget) {
            FBudget = 0;
            return -1;
        }
        FBudget -= size;
        return QSaveFile::writeData(data, size);
    }

private:
    qint64 FBudget;
};

// Holds every file of the process to a few bytes, as a full disk would: a
// write past the limit fails, whether made at once or when a buffer is
// flushed.
class TFullDisk {
public:
    explicit TFullDisk(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &FSaved);
        rlimit limit = FSaved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFullDisk() { setrlimit(RLIMIT_FSIZE, &FSaved); }
    TFullDisk(const TFullDisk&) = delete;
    TFullDisk& operator=(const TFullDisk&) = delete;

private:
    rlimit FSaved{};
};

// Classes of many pupils each, a file of several hundred kilobytes.
QByteArray ManyPupils(int classes, int pupils) {
    QByteArray file;
    for (int c = 0; c < classes; ++c) {
        const QByteArray name = "Classe " + QByteArray::number(c);
        file += "[Class]\nClassName=" + name + "\nMatters=Lecture|Écriture|Calcul|\n";
        for (int p = 0; p < pupils; ++p)
            file += "[Pupil]\nSurname=Élève " + QByteArray::number(p) +
                    "\nName=Prénom\nBirthDay=01/02/2016\nClass=" + name +
                    "\nSexe=Fille\nLevels=1:12,5|2:-1|3:7|\nRemarks=Bon travail.|\n";
    }
    return Crlf(Cp1252::Encode(QString::fromUtf8(file)));
}

} // namespace

class TestWorkspace : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsTheExample();
    void exampleSavesBackByteIdentical();
    void everyByteValueRoundTrips();
    void classHeaderIgnoresCase();
    void pupilJoinsItsClassByExactName_data();
    void pupilJoinsItsClassByExactName();
    void everyPupilKeepsItsBirthDay();
    void evaluationsFollowTheClass_data();
    void evaluationsFollowTheClass();
    void corruptLevelsUnderEachSeparator_data();
    void corruptLevelsUnderEachSeparator();
    void manyCorruptPupilsGiveOneMessage();
    void brokenInputs_data();
    void brokenInputs();
    void extraLinesAreIgnored();
    void contentThatDoesNotComeBackIsLost_data();
    void contentThatDoesNotComeBackIsLost();
    void readsInAnyRegionalSettings_data();
    void readsInAnyRegionalSettings();
    void failureWhileLoadingEndsTheLoad();
    void savesAnEmptyTree();
    void savesInDisplayOrderWithCounts();
    void largeSaveWrittenInPartsGivesTheSameBytes();
    void missingFileShowsTheMessage();
    void writeFailureKeepsTheOldFile_data();
    void writeFailureKeepsTheOldFile();
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void unwritableFolderGivesTheCreateError();
    void copyBeforeOverwriting();
    void freeWorkspaceKeepsNodes();
};

void TestWorkspace::loadsTheExample() {
    const TLoaded loaded = Load(ReadTestFile(QStringLiteral("golden/example.dat")));
    QVERIFY(loaded.Result.Complete());
    QVERIFY(loaded.Messages.isEmpty());
    QCOMPARE(Outline(loaded.Tree), QStringLiteral("CM1:Untel Jean"));
    const TClassNode& cm1 = *loaded.Tree.Classes[0];
    QCOMPARE(cm1.ImageIndex, 0);
    QCOMPARE(cm1.SelectedIndex, 1);
    QCOMPARE(cm1.Data->Lines(),
             (QStringList{QStringLiteral("$Français"), QStringLiteral("_Lecture"),
                          QStringLiteral("_Ecriture"), QStringLiteral("Mathématiques")}));
    const TNode& pupil = *cm1.Pupils[0];
    QCOMPARE(pupil.ImageIndex, 4);
    QCOMPARE(pupil.SelectedIndex, 5);
    QCOMPARE(pupil.Data->BirthDay(), QStringLiteral("12 mars 1995"));
    QCOMPARE(pupil.Data->Sexe(), QStringLiteral("Garçon"));
    QCOMPARE(Levels(*pupil.Data), QStringLiteral("4:-1 1:15.5 2:-1 3:12"));
    QCOMPARE(pupil.Data->Lines(), (QStringList{QStringLiteral("Bon travail."),
                                               QStringLiteral("Peut mieux faire en calcul.")}));
}

void TestWorkspace::exampleSavesBackByteIdentical() {
    const QByteArray original = ReadTestFile(QStringLiteral("golden/example.dat"));
    const TLoaded loaded = Load(original);
    QCOMPARE(EncodeWorkspace(loaded.Tree, French(), kDay), original);
    // Another day changes the date line only.
    const QByteArray later = EncodeWorkspace(loaded.Tree, French(), QDate(2027, 1, 31));
    QList<QByteArray> expected = original.split('\n');
    expected[1] = "File created on : 31/01/2027\r";
    QCOMPARE(later.split('\n'), expected);
}

void TestWorkspace::everyByteValueRoundTrips() {
    QByteArray text("\t");
    for (int b = 0x20; b <= 0xFF; ++b) {
        if (b != '|')
            text += char(b);
    }
    const QByteArray file =
        "Quillorin v1.0 BETA\r\nFile created on : 06/12/2026\r\n\r\nNbClasses=1\r\n"
        "NbPupils=1\r\n\r\n[Class]\r\nClassName=" +
        text.left(200) + "\r\nMatters=" + text + "|" + text +
        "|\r\n\r\n[Pupil]\r\nSurname=" + text.mid(50, 255) +
        "\r\nName=x\r\nBirthDay=\r\nClass=" + text.left(200) +
        "\r\nSexe=Fille\r\nLevels=1:12|2:-1|\r\nRemarks=" + text + "|\t|\r\n";
    const TLoaded loaded = Load(file);
    QVERIFY(loaded.Result.Complete());
    QCOMPARE(loaded.Tree.Classes.size(), std::size_t(1));
    QCOMPARE(loaded.Tree.Classes[0]->Pupils.size(), std::size_t(1));
    QCOMPARE(loaded.Tree.Classes[0]->Data->Lines().value(0), Cp1252::Decode(text));
    QCOMPARE(EncodeWorkspace(loaded.Tree, French(), kDay), file);
}

void TestWorkspace::classHeaderIgnoresCase() {
    const TLoaded loaded =
        Load(Crlf("[class]\nClassName=CE1\nMatters=a|\n[PUPIL]\nSurname=S\nName=N\n"
                  "BirthDay=\nClass=CE1\nSexe=Fille\nLevels=1:2|\nRemarks=\n"));
    QCOMPARE(Outline(loaded.Tree), QStringLiteral("CE1:S N"));
    // A header with blanks around it is not a header.
    QCOMPARE(Outline(Load(Crlf(" [Class]\nClassName=CE1\nMatters=\n")).Tree), QString());
}

void TestWorkspace::pupilJoinsItsClassByExactName_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("outline");
    const QByteArray pupil =
        "[Pupil]\nSurname=A\nName=B\nBirthDay=\nClass=cm1\nSexe=Fille\nLevels=\nRemarks=\n";
    const QByteArray cm1 = "[Class]\nClassName=CM1\nMatters=x|\n";
    QTest::newRow("case differs: a second class")
        << Crlf(cm1 + pupil) << QStringLiteral("CM1:;cm1:A B");
    QTest::newRow("pupil before its class")
        << Crlf(QByteArray(pupil).replace("cm1", "CM1") + cm1) << QStringLiteral("CM1:A B");
    QTest::newRow("duplicate class names: the first")
        << Crlf(cm1 + cm1 + QByteArray(pupil).replace("cm1", "CM1"))
        << QStringLiteral("CM1:A B;CM1:");
    // Each pupil's class is found again, whichever class the pupil before it joined.
    const auto pupilOf = [](const QByteArray& surname, const QByteArray& className) {
        return "[Pupil]\nSurname=" + surname + "\nName=B\nBirthDay=\nClass=" + className +
               "\nSexe=Fille\nLevels=\nRemarks=\n";
    };
    const QByteArray ce1 = "[Class]\nClassName=CE1\nMatters=x|\n";
    QTest::newRow("pupils of two classes in turn")
        << Crlf(cm1 + ce1 + pupilOf("P", "CM1") + pupilOf("Q", "CE1") + pupilOf("R", "CM1") +
                pupilOf("S", "CM1") + pupilOf("T", "CE1"))
        << QStringLiteral("CM1:P B,R B,S B;CE1:Q B,T B");
    QTest::newRow("case differs from the pupil before")
        << Crlf(cm1 + pupilOf("P", "CM1") + pupilOf("Q", "cm1") + pupilOf("R", "CM1"))
        << QStringLiteral("CM1:P B,R B;cm1:Q B");
    QTest::newRow("missing class added once")
        << Crlf(cm1 + pupilOf("P", "CE2") + pupilOf("Q", "CM1") + pupilOf("R", "CE2"))
        << QStringLiteral("CM1:Q B;CE2:P B,R B");
    const QByteArray longName(QByteArray(TPData::MaxTextLength, 'c'));
    QTest::newRow("names alike up to the longest a record keeps")
        << Crlf("[Class]\nClassName=" + longName + "x\nMatters=x|\n" +
                pupilOf("P", longName + "y") + pupilOf("Q", longName))
        << QString(TPData::MaxTextLength, u'c') + QStringLiteral(":P B,Q B");
}

void TestWorkspace::pupilJoinsItsClassByExactName() {
    QFETCH(QByteArray, file);
    const TLoaded loaded = Load(file);
    QTEST(Outline(loaded.Tree), "outline");
    QVERIFY(loaded.Result.Error.isEmpty());
    QCOMPARE(loaded.Result.CorruptLevels, 0);
}

void TestWorkspace::everyPupilKeepsItsBirthDay() {
    // Dates are held once for all the pupils born that day, up to a bound:
    // more dates than that, some coming back, each pupil with its own.
    constexpr int kPupils = 6000;
    const auto dateOf = [](int pupil) {
        return QStringLiteral("j%1").arg(pupil % 4500);
    };
    QByteArray file = "[Class]\nClassName=C\nMatters=\n";
    for (int p = 0; p < kPupils; ++p)
        file += "[Pupil]\nSurname=S\nName=N\nBirthDay=" + dateOf(p).toLatin1() +
                "\nClass=C\nSexe=Fille\nLevels=\nRemarks=\n";
    const TLoaded loaded = Load(Crlf(file));
    QVERIFY(loaded.Result.Complete());
    const auto& pupils = loaded.Tree.Classes[0]->Pupils;
    QCOMPARE(pupils.size(), std::size_t(kPupils));
    for (int p = 0; p < kPupils; ++p)
        QCOMPARE(pupils[std::size_t(p)]->Data->BirthDay(), dateOf(p));
}

void TestWorkspace::evaluationsFollowTheClass_data() {
    QTest::addColumn<QByteArray>("matters");
    QTest::addColumn<QByteArray>("levels");
    QTest::addColumn<QString>("read");
    QTest::newRow("missing entries added")
        << QByteArray("a|b|c|") << QByteArray("1:12|") << QStringLiteral("1:12 4:-1 4:-1");
    QTest::newRow("surplus entries dropped")
        << QByteArray("a|") << QByteArray("1:12|2:13|3:-1|") << QStringLiteral("1:12");
    QTest::newRow("class without subjects keeps them")
        << QByteArray() << QByteArray("1:12|2:13|") << QStringLiteral("1:12 2:13");
}

void TestWorkspace::evaluationsFollowTheClass() {
    QFETCH(QByteArray, matters);
    QFETCH(QByteArray, levels);
    const TLoaded loaded =
        Load(Crlf("[Class]\nClassName=C\nMatters=" + matters +
                  "\n[Pupil]\nSurname=A\nName=B\nBirthDay=\nClass=C\nSexe=Fille\nLevels=" + levels +
                  "\nRemarks=\n"));
    QTEST(Levels(*loaded.Tree.Classes[0]->Pupils[0]->Data), "read");
}

void TestWorkspace::corruptLevelsUnderEachSeparator_data() {
    QTest::addColumn<bool>("french");
    QTest::newRow("decimal comma") << true;
    QTest::newRow("decimal point") << false;
}

void TestWorkspace::corruptLevelsUnderEachSeparator() {
    QFETCH(bool, french);
    const TLoaded loaded = Load(ReadTestFile(QStringLiteral("broken/corrupt-levels.dat")),
                                french ? French() : English());
    // One message for the file, saying how many pupils it concerns.
    QCOMPARE(loaded.Messages, QStringList{CorruptWorkspaceMessage(2)});
    QCOMPARE(loaded.Result.CorruptLevels, 2);
    QVERIFY(loaded.Result.NeedsCopy());
    QCOMPARE(loaded.Result.FirstLossLine, 11);
    QVERIFY(loaded.Result.Error.isEmpty());
    const auto& pupils = loaded.Tree.Classes[0]->Pupils;
    QCOMPARE(Levels(*pupils[0]->Data), QStringLiteral("2:-1 4:-1 4:-1"));
    QCOMPARE(Levels(*pupils[1]->Data), QStringLiteral("1:12 4:-1 4:-1"));
    QCOMPARE(pupils[1]->Data->Lines(), QStringList{QStringLiteral("r")});
    QCOMPARE(Levels(*pupils[2]->Data), QStringLiteral("1:12.5 4:-1 4:-1"));
}

void TestWorkspace::manyCorruptPupilsGiveOneMessage() {
    QByteArray file = "[Class]\r\nClassName=C\r\nMatters=a|\r\n";
    for (int i = 0; i < 3000; ++i)
        file += "[Pupil]\r\nSurname=S\r\nName=" + QByteArray::number(i) +
                "\r\nBirthDay=\r\nClass=C\r\nSexe=Fille\r\nLevels=1:x|\r\nRemarks=\r\n";
    const TLoaded loaded = Load(file);
    QCOMPARE(loaded.Messages, QStringList{CorruptWorkspaceMessage(3000)});
    QVERIFY(loaded.Messages[0].contains(u"3000 élèves"_qs));
    QCOMPARE(loaded.Tree.Classes[0]->Pupils.size(), std::size_t(3000));
}

void TestWorkspace::brokenInputs_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("outline");
    QTest::addColumn<int>("corrupt");
    QTest::addColumn<QString>("error");
    QTest::newRow("class block cut short: no pupil is read")
        << QStringLiteral("class-cut-short.dat") << QStringLiteral("CE1:") << 0
        << QStringLiteral("Indice de liste hors limites (14)");
    QTest::newRow("pupil block cut short: the pupils before stay")
        << QStringLiteral("pupil-cut-short.dat") << QStringLiteral("CE1:Premier Eleve") << 1
        << QStringLiteral("Indice de liste hors limites (9)");
    QTest::newRow("a missing line shifts the fields")
        << QStringLiteral("missing-line.dat")
        << QStringLiteral("CP:Suivant Eleve;Fille:Court Eleve") << 0 << QString();
    QTest::newRow("headers only") << QStringLiteral("headers-only.dat")
                                  << QStringLiteral("[Class]:;[Pupil]:[pupil] [PUPIL]") << 0
                                  << QString();
    QTest::newRow("pupil without class") << QStringLiteral("no-class-for-pupil.dat")
                                         << QStringLiteral("Fantôme:Seul Eleve") << 0 << QString();
    QTest::newRow("empty") << QStringLiteral("empty.dat") << QString() << 0 << QString();
    QTest::newRow("binary") << QStringLiteral("binary.dat") << QString() << 0 << QString();
}

void TestWorkspace::brokenInputs() {
    QFETCH(QString, file);
    QFETCH(QString, error);
    const TLoaded loaded = Load(ReadTestFile(QStringLiteral("broken/") + file));
    QTEST(Outline(loaded.Tree), "outline");
    QTEST(loaded.Result.CorruptLevels, "corrupt");
    QCOMPARE(loaded.Result.Error, error);
    // Only an empty file, and a pupil whose class the load adds, write back
    // all they held.
    QCOMPARE(loaded.Result.Complete(), file == QStringLiteral("empty.dat") ||
                                           file == QStringLiteral("no-class-for-pupil.dat"));
    // Whatever was read saves and reads back to the same tree.
    const QByteArray saved = EncodeWorkspace(loaded.Tree, French(), kDay);
    const TLoaded again = Load(saved);
    QVERIFY(again.Result.Complete());
    QCOMPARE(Outline(again.Tree), Outline(loaded.Tree));
    QCOMPARE(EncodeWorkspace(again.Tree, French(), kDay), saved);
}

void TestWorkspace::extraLinesAreIgnored() {
    const TLoaded loaded =
        Load(Crlf("note\n\n\n[Class]\nClassName=CE1\nMatters=a|\n\nstray=1\n\n[Pupil]\n"
                  "Surname=A\nName=B\nBirthDay=\nClass=CE1\nSexe=Garçon\nLevels=1:1|\n"
                  "Remarks=\n\n\nend"));
    QVERIFY(loaded.Result.Error.isEmpty());
    // They are lost when the file is written back: a copy is kept first.
    QVERIFY(loaded.Result.Losses.testFlag(TLoss::Notes));
    QCOMPARE(Outline(loaded.Tree), QStringLiteral("CE1:A B"));
}

void TestWorkspace::contentThatDoesNotComeBackIsLost_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("lost");
    QTest::addColumn<int>("line"); // of the first loss
    const QByteArray example = ReadTestFile(QStringLiteral("golden/example.dat"));
    auto edited = [&](const char* from, const char* to) {
        return QByteArray(example).replace(from, to);
    };
    // What the reader normalises.
    QTest::newRow("as written") << example << false << 0;
    QTest::newRow("another day") << edited("06/12/2026", "1/2/99") << false << 0;
    QTest::newRow("LF line ends") << edited("\r\n", "\n") << false << 0;
    QTest::newRow("CR line ends") << edited("\r\n", "\r") << false << 0;
    QTest::newRow("no line end at the end") << example.chopped(2) << false << 0;
    QTest::newRow("blank lines only") << QByteArray("\r\n \r\n\n") << false << 0;
    QTest::newRow("more empty lines") << edited("\r\n\r\n", "\r\n\r\n\r\n \t\r\n") << false << 0;
    QTest::newRow("one more empty line at the end") << example + "\r\n" << false << 0;
    QTest::newRow("headers in another case") << edited("[Class]", "[CLASS]") << false << 0;
    QTest::newRow("a mark with a point") << edited("15,5", "15.5") << false << 0;
    QTest::newRow("wrong counts") << edited("NbPupils=1", "NbPupils=7") << false << 0;
    QTest::newRow("no header lines") << example.sliced(example.indexOf("[Class]")) << false << 0;
    const qsizetype classAt = example.indexOf("[Class]");
    const qsizetype pupilAt = example.indexOf("[Pupil]");
    QTest::newRow("pupil before its class") << example.first(classAt) + example.sliced(pupilAt) +
                                                   example.sliced(classAt, pupilAt - classAt)
                                            << false << 0;
    QTest::newRow("fewer evaluations than subjects")
        << edited("Levels=4:-1|1:15,5|2:-1|3:12|", "Levels=4:-1|1:15,5|") << false << 0;
    // What a save would drop or change.
    QTest::newRow("CR CR LF line ends: an empty line inside every block")
        << edited("\r\n", "\r\r\n") << true << 14;
    QTest::newRow("a note between blocks")
        << edited("\r\n[Pupil]", "\r\nà relire\r\n[Pupil]") << true << 11;
    QTest::newRow("a note at the end") << example + "stray\r\n" << true << 19;
    QTest::newRow("a note before the counts")
        << edited("NbClasses", "sauvegarde de mars\r\nNbClasses") << true << 4;
    QTest::newRow("header lines out of order")
        << edited("NbClasses=1\r\nNbPupils=1", "NbPupils=1\r\nNbClasses=1") << true << 5;
    QTest::newRow("another title") << edited("v1.0 BETA", "v2.0") << true << 1;
    QTest::newRow("a key in another case") << edited("Surname=", "surname=") << true << 12;
    QTest::newRow("a line missing in a block")
        << edited("BirthDay=12 mars 1995\r\n", "") << true << 14;
    QTest::newRow("a text cut to 255 characters")
        << edited("Untel", QByteArray(300, 'u').constData()) << true << 12;
    QTest::newRow("text after the last bar")
        << edited("|\r\n\r\n[Pupil]", "|fin\r\n\r\n[Pupil]") << true << 9;
    QTest::newRow("remarks without their last bar") << edited("calcul.|", "calcul.") << true << 18;
    QTest::newRow("a mark written otherwise") << edited("15,5", "15,50") << true << 17;
    QTest::newRow("more evaluations than subjects") << edited("3:12|", "3:12|1:-1|") << true << 17;
    QTest::newRow("unreadable evaluations") << edited("1:15,5", "1:quinze") << true << 17;
    QTest::newRow("a block cut short") << example.first(example.indexOf("Levels=")) << true << 0;
    QString text = QString::fromLatin1(example);
    QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE") + utf16 << true << 1;
    QTest::newRow("byte-order mark before a header")
        << edited("[Class]", "\xEF\xBB\xBF[Class]") << true << 7;
    QTest::newRow("random bytes") << QByteArray("\x01\x9F\r\n\xFFz\x00q", 9) << true << 1;
    QTest::newRow("one long line") << QByteArray(1 << 20, 'x') << true << 1;
}

// A file that would not be written back as it is, beyond what the reader
// normalises, lost something in the load: its copy must be kept before it is
// overwritten. Saving what was read and reading it again loses nothing more.
void TestWorkspace::contentThatDoesNotComeBackIsLost() {
    QFETCH(QByteArray, file);
    const TLoaded loaded = Load(file);
    QTEST(loaded.Result.NeedsCopy(), "lost");
    QCOMPARE(loaded.Result.Complete(), !loaded.Result.NeedsCopy());
    QTEST(int(loaded.Result.FirstLossLine), "line");
    const QByteArray saved = EncodeWorkspace(loaded.Tree, English(), kDay);
    const TLoaded again = Load(saved, French());
    QVERIFY(again.Result.Complete());
    QCOMPARE(EncodeWorkspace(again.Tree, English(), kDay), saved);
}

void TestWorkspace::readsInAnyRegionalSettings_data() {
    QTest::addColumn<QString>("writer");
    QTest::addColumn<QString>("reader");
    const QStringList locales{u"fr_FR"_qs, u"C"_qs, u"en_US"_qs};
    for (const QString& writer : locales) {
        for (const QString& reader : locales)
            QTest::addRow("written under %s, read under %s", qPrintable(writer), qPrintable(reader))
                << writer << reader;
    }
}

// A file written under any of the settings opens under any other with no
// message, every mark read, nothing to keep a copy of; saved there, it reads
// back the same under French settings.
void TestWorkspace::readsInAnyRegionalSettings() {
    QFETCH(QString, writer);
    QFETCH(QString, reader);
    const TRegionalSettings writing = TRegionalSettings::FromLocale(QLocale(writer));
    const TRegionalSettings reading = TRegionalSettings::FromLocale(QLocale(reader));
    TLoaded source = Load(ReadTestFile(QStringLiteral("golden/example.dat")));
    source.Tree.Classes[0]->Pupils[0]->Data->SetMark(2, 0.125);
    source.Tree.Classes[0]->Pupils[0]->Data->SetMark(3, 1.5e20);
    const QByteArray written = EncodeWorkspace(source.Tree, writing, kDay);

    const TLoaded loaded = Load(written, reading);
    QCOMPARE(loaded.Messages, QStringList());
    QVERIFY(loaded.Result.Complete());
    QCOMPARE(Levels(*loaded.Tree.Classes[0]->Pupils[0]->Data),
             Levels(*source.Tree.Classes[0]->Pupils[0]->Data));

    const TLoaded back = Load(EncodeWorkspace(loaded.Tree, reading, kDay), French());
    QVERIFY(back.Result.Complete());
    QCOMPARE(EncodeWorkspace(back.Tree, French(), kDay),
             EncodeWorkspace(source.Tree, French(), kDay));
}

void TestWorkspace::failureWhileLoadingEndsTheLoad() {
    QByteArray file = ReadTestFile(QStringLiteral("golden/example.dat"));
    file.replace("Levels=4:-1|1:15,5|", "Levels=4:-1|1:quinze|");
    TWorkspace tree;
    const TLoadResult result = LoadWorkspaceFromBytes(
        file, tree, French(), [](const QString&) { throw std::bad_alloc(); });
    QCOMPARE(result.Error, QStringLiteral("Mémoire insuffisante"));
    QVERIFY(result.NeedsCopy());
    QCOMPARE(Outline(tree), QStringLiteral("CM1:Untel Jean"));
}

void TestWorkspace::savesAnEmptyTree() {
    QCOMPARE(EncodeWorkspace(TWorkspace(), French(), kDay),
             QByteArray("Quillorin v1.0 BETA\r\nFile created on : "
                        "06/12/2026\r\n\r\nNbClasses=0\r\nNbPupils=0\r\n"));
}

void TestWorkspace::savesInDisplayOrderWithCounts() {
    const TLoaded loaded = Load(
        Crlf("[Pupil]\nSurname=B\nName=1\nBirthDay=\nClass=Y\nSexe=Fille\nLevels=\nRemarks=\n"
             "[Class]\nClassName=X\nMatters=\n"
             "[Pupil]\nSurname=A\nName=2\nBirthDay=\nClass=X\nSexe=Fille\nLevels=\nRemarks=\n"));
    QCOMPARE(Outline(loaded.Tree), QStringLiteral("X:A 2;Y:B 1"));
    const QByteArray saved = EncodeWorkspace(loaded.Tree, English(), kDay);
    QVERIFY(saved.startsWith(
        "Quillorin v1.0 BETA\r\nFile created on : "
        "12/6/26\r\n\r\nNbClasses=2\r\nNbPupils=2\r\n\r\n[Class]\r\nClassName=X\r\n"));
    QVERIFY(saved.indexOf("Surname=A") < saved.indexOf("ClassName=Y"));
    QVERIFY(saved.indexOf("ClassName=Y") < saved.indexOf("Surname=B"));
}

void TestWorkspace::largeSaveWrittenInPartsGivesTheSameBytes() {
    // The save writes the file as it is made, in parts that end between
    // blocks: they must join into the whole file.
    const TLoaded loaded = Load(ManyPupils(3, 3000));
    QVERIFY(loaded.Result.Complete());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tree.dat"));
    QVERIFY(!SaveWorkspace(path, loaded.Tree, French(), kDay));
    const QByteArray whole = EncodeWorkspace(loaded.Tree, French(), kDay);
    QVERIFY(whole.size() > 1000000);
    QCOMPARE(ReadWholeFile(path).value_or(QByteArray()), whole);
}

void TestWorkspace::missingFileShowsTheMessage() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tree.dat"));
    TWorkspace tree;
    QStringList messages;
    const TLoadResult result =
        LoadWorkspace(path, tree, French(), [&](const QString& text) { messages << text; });
    QVERIFY(!result.Found);
    QVERIFY(result.Error.isEmpty());
    QCOMPARE(
        messages,
        QStringList{QStringLiteral("Le fichier '") + path +
                    QStringLiteral("' est introuvable,\raucune classe et aucun élève recensés.")});
    QVERIFY(tree.Classes.empty());
}

void TestWorkspace::writeFailureKeepsTheOldFile_data() {
    QTest::addColumn<qint64>("budget");
    QTest::addColumn<int>("pupils"); // added to the example's first class
    QTest::newRow("nothing written") << qint64(0) << 0;
    QTest::newRow("part written") << qint64(100) << 0;
    QTest::newRow("fails after parts were written") << qint64(700000) << 10000;
}

void TestWorkspace::writeFailureKeepsTheOldFile() {
    QFETCH(qint64, budget);
    QFETCH(int, pupils);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tree.dat"));
    const QByteArray old = ReadTestFile(QStringLiteral("golden/example.dat"));
    QVERIFY(!WriteWholeFile(path, old));
    TLoaded loaded = Load(old);
    loaded.Tree.Classes[0]->Data->AppendLine(QString(5000, u'x'));
    TLoaded more = Load(ManyPupils(1, pupils));
    for (auto& schoolClass : more.Tree.Classes) {
        for (auto& pupil : schoolClass->Pupils)
            loaded.Tree.Classes[0]->Pupils.push_back(std::move(pupil));
    }
    TFailingSaveFile file(path, budget);
    const std::optional<QString> error = SaveWorkspace(file, loaded.Tree, French(), kDay);
    QCOMPARE(error.value_or(QString()), QStringLiteral("Impossible de créer le fichier ") + path);
    QCOMPARE(ReadWholeFile(path).value_or(QByteArray()), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("tree.dat")});
}

void TestWorkspace::fullDiskKeepsTheOldFile_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("small file: fails when the buffer is flushed") << 5000;
    QTest::newRow("large file: fails when written") << 100000;
}

void TestWorkspace::fullDiskKeepsTheOldFile() {
    QFETCH(int, size);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tree.dat"));
    const QByteArray old = ReadTestFile(QStringLiteral("golden/example.dat"));
    QVERIFY(!WriteWholeFile(path, old));
    std::optional<QString> error;
    {
        const TFullDisk disk(1024);
        error = WriteWholeFile(path, QByteArray(size, 'x'));
    }
    QCOMPARE(error.value_or(QString()), QStringLiteral("Impossible de créer le fichier ") + path);
    QCOMPARE(ReadWholeFile(path).value_or(QByteArray()), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("tree.dat")});
}

void TestWorkspace::unwritableFolderGivesTheCreateError() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing-folder/tree.dat"));
    QCOMPARE(SaveWorkspace(path, TWorkspace(), French(), kDay).value_or(QString()),
             QStringLiteral("Impossible de créer le fichier ") + path);
}

void TestWorkspace::copyBeforeOverwriting() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tree.dat"));
    QVERIFY(!WriteWholeFile(path, "first"));
    const TCopyResult first = KeepCopyOf(path);
    QVERIFY(!first.Error);
    QCOMPARE(first.CopyPath, dir.filePath(QStringLiteral("tree.copie-1.dat")));
    QVERIFY(!WriteWholeFile(path, "second"));
    const TCopyResult second = KeepCopyOf(path);
    QCOMPARE(second.CopyPath, dir.filePath(QStringLiteral("tree.copie-2.dat")));
    QCOMPARE(ReadWholeFile(first.CopyPath).value_or(QByteArray()), QByteArray("first"));
    QCOMPARE(ReadWholeFile(second.CopyPath).value_or(QByteArray()), QByteArray("second"));
    QVERIFY(KeepCopyOf(dir.filePath(QStringLiteral("absent.dat"))).Error.has_value());
}

void TestWorkspace::freeWorkspaceKeepsNodes() {
    TLoaded loaded = Load(ReadTestFile(QStringLiteral("golden/example.dat")));
    FreeWorkspace(loaded.Tree);
    QCOMPARE(Outline(loaded.Tree), QStringLiteral("CM1:Untel Jean"));
    QVERIFY(!loaded.Tree.Classes[0]->Data);
    QVERIFY(!loaded.Tree.Classes[0]->Pupils[0]->Data);
}

QTEST_GUILESS_MAIN(TestWorkspace)
#include "tst_workspace.moc"
