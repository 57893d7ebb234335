#include "data/PData.h"
#include "data/RemarkAgreement.h"
#include "data/RemarksBank.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRemarksBank : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void agreement_data();
    void agreement();
    void joinedForms_data();
    void joinedForms();
    void reader_data();
    void reader();
    void roundTrip_data();
    void roundTrip();
    void oversizedFileIsCutAtALine();
    void builtInBankAgreesEverywhere();
};

void TestRemarksBank::agreement_data() {
    QTest::addColumn<QString>("remark");
    QTest::addColumn<QString>("sexe");
    QTest::addColumn<QString>("expected");
    const QString boy = SexeValues()[0], girl = SexeValues()[1], unknown = SexeValues()[2];
    QTest::newRow("first name") << u"{prénom} lit bien."_s << boy << u"Léa lit bien."_s;
    QTest::newRow("first name, no accent") << u"{prenom}"_s << girl << u"Léa"_s;
    QTest::newRow("surname") << u"{nom}"_s << girl << u"Dupont"_s;
    QTest::newRow("name in capitals") << u"{NOM} {PRÉNOM}"_s << boy << u"DUPONT LÉA"_s;
    QTest::newRow("il, boy") << u"{il/elle} lit"_s << boy << u"il lit"_s;
    QTest::newRow("il, girl") << u"{il/elle} lit"_s << girl << u"elle lit"_s;
    QTest::newRow("il, unknown") << u"{il/elle} lit"_s << unknown << u"il·elle lit"_s;
    QTest::newRow("Il, boy") << u"{Il/Elle} lit"_s << boy << u"Il lit"_s;
    QTest::newRow("Il, girl") << u"{Il/Elle} lit"_s << girl << u"Elle lit"_s;
    QTest::newRow("Il, unknown") << u"{Il/Elle} lit"_s << unknown << u"Il·elle lit"_s;
    QTest::newRow("pair, boy") << u"{attentif/attentive}"_s << boy << u"attentif"_s;
    QTest::newRow("pair, girl") << u"{attentif/attentive}"_s << girl << u"attentive"_s;
    QTest::newRow("pair, unknown") << u"{attentif/attentive}"_s << unknown << u"attentif·ve"_s;
    QTest::newRow("sexe in other capitals") << u"{il/elle}"_s << u"FILLE"_s << u"elle"_s;
    QTest::newRow("sexe not one of the three") << u"{il/elle}"_s << u"?"_s << u"il·elle"_s;
    QTest::newRow("ending only") << u"content{/e}"_s << girl << u"contente"_s;
    QTest::newRow("ending only, unknown") << u"content{/e}"_s << unknown << u"content·e"_s;
    QTest::newRow("unknown field") << u"{date} et {prénom}"_s << boy << u"{date} et Léa"_s;
    QTest::newRow("three forms") << u"{a/b/c}"_s << boy << u"{a/b/c}"_s;
    QTest::newRow("empty braces") << u"{} {/}"_s << boy << u"{} {/}"_s;
    QTest::newRow("unclosed") << u"{prénom"_s << boy << u"{prénom"_s;
    QTest::newRow("nested opening") << u"{ {prénom}"_s << boy << u"{ Léa"_s;
    QTest::newRow("several") << u"{prénom} est {sérieux/sérieuse} ; {il/elle} progresse."_s << girl
                             << u"Léa est sérieuse ; elle progresse."_s;
}

void TestRemarksBank::agreement() {
    QFETCH(QString, remark);
    QFETCH(QString, sexe);
    QFETCH(QString, expected);
    QCOMPARE(AgreeRemark(remark, {QStringLiteral("Dupont"), QStringLiteral("Léa"), sexe}),
             expected);
}

void TestRemarksBank::joinedForms_data() {
    QTest::addColumn<QString>("masculine");
    QTest::addColumn<QString>("feminine");
    QTest::addColumn<QString>("expected");
    QTest::newRow("same") << u"élève"_s << u"élève"_s << u"élève"_s;
    QTest::newRow("ending") << u"content"_s << u"contente"_s << u"content·e"_s;
    QTest::newRow("doubled") << u"bon"_s << u"bonne"_s << u"bon·ne"_s;
    QTest::newRow("changed ending") << u"sérieux"_s << u"sérieuse"_s << u"sérieux·se"_s;
    QTest::newRow("little in common") << u"beau"_s << u"belle"_s << u"beau·belle"_s;
    QTest::newRow("short words") << u"le"_s << u"la"_s << u"le·la"_s;
    QTest::newRow("article") << u"un"_s << u"une"_s << u"un·e"_s;
}

void TestRemarksBank::joinedForms() {
    QFETCH(QString, masculine);
    QFETCH(QString, feminine);
    QFETCH(QString, expected);
    QCOMPARE(JoinedForms(masculine, feminine), expected);
}

void TestRemarksBank::reader_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<bool>("damaged");
    QTest::newRow("empty") << QByteArray() << QByteArray() << false;
    QTest::newRow("two themes") << QByteArray("[A]\nun\ndeux\n\n[B]\ntrois\n")
                                << QByteArray("[A]\nun\ndeux\n\n[B]\ntrois\n") << false;
    QTest::newRow("blanks, CR LF, byte-order mark")
        << QByteArray("\xEF\xBB\xBF  [ A ]  \r\n\t un \r\n\r\n\r\n") << QByteArray("[A]\nun\n")
        << false;
    QTest::newRow("remark before any theme")
        << QByteArray("libre\n[A]\nun\n") << QByteArray("[Divers]\nlibre\n\n[A]\nun\n") << false;
    QTest::newRow("same theme twice") << QByteArray("[A]\nun\n[B]\ndeux\n[A]\ntrois\n")
                                      << QByteArray("[A]\nun\ntrois\n\n[B]\ndeux\n") << false;
    QTest::newRow("empty theme kept")
        << QByteArray("[A]\n[B]\nx\n") << QByteArray("[A]\n\n[B]\nx\n") << false;
    QTest::newRow("empty name") << QByteArray("[]\nx\n") << QByteArray("[Divers]\nx\n") << false;
    QTest::newRow("brackets inside are a remark")
        << QByteArray("[A]\n[a] et [b]\n[x]y]\n") << QByteArray("[A]\n[a] et [b]\n[x]y]\n")
        << false;
    QTest::newRow("no-break blanks stay")
        << QByteArray("[A]\nBravo\xC2\xA0!\n") << QByteArray("[A]\nBravo\xC2\xA0!\n") << false;
    QTest::newRow("Windows-1252") << QByteArray("[Progr\xE8s]\nR\xE9ussi\n")
                                  << QByteArray("[Progrès]\nRéussi\n") << true;
    QTest::newRow("control characters")
        << QByteArray("[A]\nun\0deux\n", 12) << QByteArray("[A]\nun deux\n") << true;
}

void TestRemarksBank::reader() {
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, written);
    QFETCH(bool, damaged);
    const TBankRead read = ReadRemarksBank(bytes);
    QCOMPARE(read.Damaged(), damaged);
    QCOMPARE(EncodeRemarksBank(read.Bank), written);
}

// The fuzzer's property on a few hand-picked awkward inputs.
void TestRemarksBank::roundTrip_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lone CR") << QByteArray("[A]\rx\r\r[B]\r");
    QTest::newRow("line separator") << QByteArray("[A]\nun\xE2\x80\xA8[B]\n");
    QTest::newRow("bracket after cleaning") << QByteArray("\t[A]\t\n[ \x01]\n");
    QTest::newRow("binary") << QByteArray("\xFF\xFE[\x00]\x80\x81\n", 8);
    QTest::newRow("mark before theme") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx\n");
}

void TestRemarksBank::roundTrip() {
    QFETCH(QByteArray, bytes);
    const TBankRead first = ReadRemarksBank(bytes);
    const QByteArray written = EncodeRemarksBank(first.Bank);
    const TBankRead second = ReadRemarksBank(written);
    QVERIFY(!second.Damaged());
    QCOMPARE(second.Bank, first.Bank);
    QCOMPARE(EncodeRemarksBank(second.Bank), written);
}

void TestRemarksBank::oversizedFileIsCutAtALine() {
    const QByteArray line = "[A]\n" + QByteArray(99, 'x') + '\n';
    QByteArray bytes;
    while (bytes.size() <= MaxRemarksBankBytes)
        bytes += line;
    const TBankRead read = ReadRemarksBank(bytes);
    QVERIFY(read.Damaged());
    QCOMPARE(read.Bank.Themes.size(), std::size_t(1));
    for (const QString& remark : read.Bank.Themes[0].Remarks)
        QCOMPARE(remark.size(), 99);
}

// Every field of the bank the program comes with is one the agreement knows.
void TestRemarksBank::builtInBankAgreesEverywhere() {
    const TRemarksBank bank = BuiltInRemarksBank();
    QVERIFY(bank.RemarkCount() >= 50);
    QVERIFY(bank.Themes.size() >= 3);
    QCOMPARE(ReadRemarksBank(EncodeRemarksBank(bank)).Bank, bank);
    for (const QString& sexe : SexeValues()) {
        for (const TRemarkTheme& theme : bank.Themes) {
            for (const QString& remark : theme.Remarks) {
                const QString agreed =
                    AgreeRemark(remark, {QStringLiteral("Martin"), QStringLiteral("Noé"), sexe});
                QVERIFY2(!agreed.contains(u'{') && !agreed.contains(u'}'), qPrintable(agreed));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestRemarksBank)
#include "tst_remarksbank.moc"
