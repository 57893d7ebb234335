#include "data/PData.h"
#include "data/RemarkAgreement.h"
#include "data/RemarksBank.h"

#include <QRegularExpression>
#include <QTest>

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
    QTest::newRow("first name") << "{prénom} lit bien." << boy << "Léa lit bien.";
    QTest::newRow("first name, no accent") << "{prenom}" << girl << "Léa";
    QTest::newRow("surname") << "{nom}" << girl << "Dupont";
    QTest::newRow("name in capitals") << "{NOM} {PRÉNOM}" << boy << "DUPONT LÉA";
    QTest::newRow("il, boy") << "{il/elle} lit" << boy << "il lit";
    QTest::newRow("il, girl") << "{il/elle} lit" << girl << "elle lit";
    QTest::newRow("il, unknown") << "{il/elle} lit" << unknown << "il·elle lit";
    QTest::newRow("Il, boy") << "{Il/Elle} lit" << boy << "Il lit";
    QTest::newRow("Il, girl") << "{Il/Elle} lit" << girl << "Elle lit";
    QTest::newRow("Il, unknown") << "{Il/Elle} lit" << unknown << "Il·elle lit";
    QTest::newRow("pair, boy") << "{attentif/attentive}" << boy << "attentif";
    QTest::newRow("pair, girl") << "{attentif/attentive}" << girl << "attentive";
    QTest::newRow("pair, unknown") << "{attentif/attentive}" << unknown << "attentif·ve";
    QTest::newRow("sexe in other capitals") << "{il/elle}"
                                            << "FILLE"
                                            << "elle";
    QTest::newRow("sexe not one of the three") << "{il/elle}"
                                               << "?"
                                               << "il·elle";
    QTest::newRow("ending only") << "content{/e}" << girl << "contente";
    QTest::newRow("ending only, unknown") << "content{/e}" << unknown << "content·e";
    QTest::newRow("unknown field") << "{date} et {prénom}" << boy << "{date} et Léa";
    QTest::newRow("three forms") << "{a/b/c}" << boy << "{a/b/c}";
    QTest::newRow("empty braces") << "{} {/}" << boy << "{} {/}";
    QTest::newRow("unclosed") << "{prénom" << boy << "{prénom";
    QTest::newRow("nested opening") << "{ {prénom}" << boy << "{ Léa";
    QTest::newRow("several") << "{prénom} est {sérieux/sérieuse} ; {il/elle} progresse." << girl
                             << "Léa est sérieuse ; elle progresse.";
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
    QTest::newRow("same") << "élève"
                          << "élève"
                          << "élève";
    QTest::newRow("ending") << "content"
                            << "contente"
                            << "content·e";
    QTest::newRow("doubled") << "bon"
                             << "bonne"
                             << "bon·ne";
    QTest::newRow("changed ending") << "sérieux"
                                    << "sérieuse"
                                    << "sérieux·se";
    QTest::newRow("little in common") << "beau"
                                      << "belle"
                                      << "beau·belle";
    QTest::newRow("short words") << "le"
                                 << "la"
                                 << "le·la";
    QTest::newRow("article") << "un"
                             << "une"
                             << "un·e";
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
