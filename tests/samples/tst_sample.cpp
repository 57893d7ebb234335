#include "data/WorkspaceReader.h"
#include "data/WorkspaceWriter.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The first run's sample workspace, put in place under the locale of a new
// machine, must open in the program with no message and every mark intact.
class TestSample : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writtenForTheLocaleInForce_data();
    void writtenForTheLocaleInForce();
    void unreadableSourceFailsAndWritesNothing();
};

namespace {

QByteArray Canonical(const TWorkspace& tree) {
    return EncodeWorkspace(tree, TRegionalSettings::FromLocale(QLocale::c()), QDate(2026, 12, 6));
}

int RunWriter(const QString& lang, const QStringList& arguments) {
    QProcess writer;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LC_ALL"));
    environment.remove(QStringLiteral("LC_NUMERIC"));
    environment.insert(QStringLiteral("LANG"), lang);
    writer.setProcessEnvironment(environment);
    writer.start(QStringLiteral(QUILLORIN_SAMPLE_WRITER), arguments);
    if (!writer.waitForFinished(60000))
        return -1;
    return writer.exitStatus() == QProcess::NormalExit ? writer.exitCode() : -1;
}

} // namespace

void TestSample::writtenForTheLocaleInForce_data() {
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("mark");
    QTest::newRow("C") << QStringLiteral("C.UTF-8") << QStringLiteral("C") << QByteArray("15.5");
    QTest::newRow("English") << QStringLiteral("en_US.UTF-8") << QStringLiteral("en_US")
                             << QByteArray("15.5");
    QTest::newRow("German") << QStringLiteral("de_DE.UTF-8") << QStringLiteral("de_DE")
                            << QByteArray("15,5");
    QTest::newRow("French") << QStringLiteral("fr_FR.UTF-8") << QStringLiteral("fr_FR")
                            << QByteArray("15,5");
}

void TestSample::writtenForTheLocaleInForce() {
    QFETCH(QString, lang);
    QFETCH(QString, locale);
    QFETCH(QByteArray, mark);
    QTemporaryDir folder;
    const QString written = folder.filePath(QStringLiteral("tree.dat"));
    QCOMPARE(RunWriter(lang, {QStringLiteral(QUILLORIN_SAMPLE), written}), 0);

    QStringList messages;
    TWorkspace tree;
    const TLoadResult load =
        LoadWorkspace(written, tree, TRegionalSettings::FromLocale(QLocale(locale)),
                      [&](const QString& text) { messages << text; });
    QCOMPARE(messages, QStringList());
    QVERIFY(load.Complete());
    QCOMPARE(tree.Classes.size(), std::size_t(2));

    TWorkspace source;
    LoadWorkspace(QStringLiteral(QUILLORIN_SAMPLE), source,
                  TRegionalSettings::FromLocale(QLocale::c()), [](const QString&) {});
    QCOMPARE(Canonical(tree), Canonical(source));
    QFile file(written);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains(":" + mark + "|"));
}

void TestSample::unreadableSourceFailsAndWritesNothing() {
    QTemporaryDir folder;
    const QString written = folder.filePath(QStringLiteral("tree.dat"));
    QCOMPARE(RunWriter(QStringLiteral("C.UTF-8"),
                       {folder.filePath(QStringLiteral("missing.dat")), written}),
             1);
    QVERIFY(!QFile::exists(written));
}

QTEST_GUILESS_MAIN(TestSample)
#include "tst_sample.moc"
