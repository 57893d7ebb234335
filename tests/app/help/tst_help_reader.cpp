#include "app/help/ChmFile.h"
#include "app/help/ChmWindows.h"
#include "app/help/HelpRequest.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QString BuiltHelpFile() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(u"quillorin.chm"_s);
}

QString SourceFile(const QString& name) {
    // A page made from a template ("about.htm", which gives the version) is
    // read as the build made it.
    const QString source = QDir(QStringLiteral(QUILLORIN_HELP_SOURCE_DIR)).filePath(name);
    if (QFileInfo::exists(source))
        return source;
    return QDir(QStringLiteral(QUILLORIN_HELP_BUILD_DIR)).filePath(name);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The files listed in the [FILES] section of the help project.
QStringList ProjectFiles() {
    QStringList files;
    bool inFiles = false;
    for (const QByteArray& raw : ReadAll(SourceFile(u"quillorin.hhp"_s)).split('\n')) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.startsWith(u'['))
            inFiles = line == u"[FILES]"_s;
        else if (inFiles && !line.isEmpty())
            files.append(line);
    }
    return files;
}

void PutUInt32(QByteArray& data, quint32 value) {
    for (int i = 0; i < 4; ++i)
        data.append(char((value >> (8 * i)) & 0xFF));
}

// A window table of the given entry size with one entry per list of offsets
// (name, title, contents, index, default topic, home topic).
QByteArray WindowTable(quint32 count, quint32 entrySize, const QList<QList<quint32>>& entries) {
    const qsizetype fields[] = {0x08, 0x14, 0x60, 0x64, 0x68, 0x6C};
    QByteArray data;
    PutUInt32(data, count);
    PutUInt32(data, entrySize);
    for (const QList<quint32>& offsets : entries) {
        QByteArray entry(entrySize, '\0');
        for (qsizetype i = 0; i < offsets.size(); ++i) {
            QByteArray value;
            PutUInt32(value, offsets[i]);
            if (fields[i] + 4 <= entry.size())
                entry.replace(fields[i], 4, value);
        }
        data += entry;
    }
    return data;
}

} // namespace

class TestHelpReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void topicsMatchTheSources_data();
    void topicsMatchTheSources();
    void namesIgnoreCase_data();
    void namesIgnoreCase();
    void missingObjects_data();
    void missingObjects();
    void filesThatCannotBeOpened_data();
    void filesThatCannotBeOpened();
    void withoutTheLibrary();
    void mainWindowDefinition();
    void windowTables_data();
    void windowTables();
    void requests_data();
    void requests();

private:
    std::shared_ptr<const TChmLibrary> FLibrary;
    std::unique_ptr<TChmFile> FHelp;
};

void TestHelpReader::initTestCase() {
    FLibrary = std::make_shared<const TChmLibrary>();
    QVERIFY2(FLibrary->IsLoaded(), qPrintable(FLibrary->ErrorString()));
    FHelp = std::make_unique<TChmFile>(FLibrary, BuiltHelpFile());
    QCOMPARE(FHelp->OpenError(), TChmError::None);
}

void TestHelpReader::topicsMatchTheSources_data() {
    QTest::addColumn<QString>("name");
    const QStringList files = ProjectFiles();
    QVERIFY(files.contains(u"firstpage.htm"_s));
    QVERIFY(files.contains(u"about.htm"_s));
    for (const QString& file : files)
        QTest::newRow(qPrintable(file)) << file;
    QTest::newRow("contents") << u"quillorin.hhc"_s;
    QTest::newRow("index") << u"quillorin.hhk"_s;
}

void TestHelpReader::topicsMatchTheSources() {
    QFETCH(QString, name);
    const QByteArray source = ReadAll(SourceFile(name));
    QVERIFY(!source.isEmpty());
    const TChmObject object = FHelp->Read(u'/' + name);
    QCOMPARE(object.Error, TChmError::None);
    QCOMPARE(object.Data, source);
}

void TestHelpReader::namesIgnoreCase_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("source");
    QTest::newRow("upper") << u"/FIRSTPAGE.HTM"_s << u"firstpage.htm"_s;
    QTest::newRow("mixed") << u"/About.Htm"_s << u"about.htm"_s;
    QTest::newRow("image") << u"/Quillorin.PNG"_s << u"quillorin.png"_s;
}

void TestHelpReader::namesIgnoreCase() {
    QFETCH(QString, name);
    QFETCH(QString, source);
    const TChmObject object = FHelp->Read(name);
    QCOMPARE(object.Error, TChmError::None);
    QCOMPARE(object.Data, ReadAll(SourceFile(source)));
}

void TestHelpReader::missingObjects_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("unknown topic") << u"/nothere.htm"_s;
    QTest::newRow("no leading slash") << u"firstpage.htm"_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("embedded NUL") << u"/firstpage.htm"_s + QChar(0) + u"x"_s;
    QTest::newRow("longer than any name") << u'/' + QString(600, u'a');
    QTest::newRow("prefix of a name") << u"/firstpage"_s;
    QTest::newRow("source of the project") << u"/quillorin.hhp"_s;
}

void TestHelpReader::missingObjects() {
    QFETCH(QString, name);
    const TChmObject object = FHelp->Read(name);
    QCOMPARE(object.Error, TChmError::NoSuchObject);
    QVERIFY(object.Data.isEmpty());
}

void TestHelpReader::filesThatCannotBeOpened_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("isFolder");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("folder") << QByteArray() << true;
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("not a help file") << ReadAll(SourceFile(u"firstpage.htm"_s)) << false;
    QTest::newRow("header only") << ReadAll(BuiltHelpFile()).left(56) << false;
}

void TestHelpReader::filesThatCannotBeOpened() {
    QFETCH(QByteArray, content);
    QFETCH(bool, isFolder);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"quillorin.chm"_s);
    if (isFolder) {
        QVERIFY(QDir(dir.path()).mkdir(u"quillorin.chm"_s));
    } else if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const TChmFile help(FLibrary, path);
    QCOMPARE(help.OpenError(), TChmError::CannotOpen);
    QCOMPARE(help.Read(u"/firstpage.htm"_s).Error, TChmError::CannotOpen);
}

void TestHelpReader::withoutTheLibrary() {
    const TChmFile help(nullptr, BuiltHelpFile());
    QCOMPARE(help.OpenError(), TChmError::NoLibrary);
    QCOMPARE(help.Read(u"/firstpage.htm"_s).Error, TChmError::NoLibrary);
}

void TestHelpReader::mainWindowDefinition() {
    for (const QString& name : {u"main window"_s, u"Main Window"_s}) {
        const std::optional<TWindowDefinition> definition = FindWindowDefinition(*FHelp, name);
        QVERIFY(definition.has_value());
        QCOMPARE(definition->Name, u"main window"_s);
        QCOMPARE(definition->Title, u"Aide de Quillorin"_s);
        QCOMPARE(definition->Contents, u"quillorin.hhc"_s);
        QCOMPARE(definition->Index, u"quillorin.hhk"_s);
        QCOMPARE(definition->DefaultTopic, u"firstpage.htm"_s);
        QCOMPARE(definition->HomeTopic, u"firstpage.htm"_s);
    }
    QVERIFY(!FindWindowDefinition(*FHelp, u"other window"_s).has_value());
}

void TestHelpReader::windowTables_data() {
    QTest::addColumn<QByteArray>("windows");
    QTest::addColumn<QByteArray>("strings");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("titles");

    // Offsets: 1 "w1", 4 "Titre é" (Windows-1252), 12 "w2", 15 unterminated "end".
    const QByteArray strings = QByteArray("\0w1\0Titre \xE9\0w2\0end", 18);
    QTest::newRow("one entry") << WindowTable(1, 196, {{1, 4}}) << strings << QStringList{u"w1"_s}
                               << QStringList{u"Titre é"_s};
    QTest::newRow("two entries") << WindowTable(2, 196, {{1, 4}, {12, 0}}) << strings
                                 << QStringList{u"w1"_s, u"w2"_s}
                                 << QStringList{u"Titre é"_s, QString()};
    QTest::newRow("unterminated string") << WindowTable(1, 196, {{15, 15}}) << strings
                                         << QStringList{u"end"_s} << QStringList{u"end"_s};
    QTest::newRow("offsets outside the strings")
        << WindowTable(1, 196, {{18, 0xFFFFFFFF}}) << strings << QStringList{QString()}
        << QStringList{QString()};
    QTest::newRow("count beyond the data") << WindowTable(5, 196, {{1, 4}}) << strings
                                           << QStringList{u"w1"_s} << QStringList{u"Titre é"_s};
    QTest::newRow("last entry cut short")
        << WindowTable(2, 196, {{1, 4}, {12, 4}}).chopped(1) << strings << QStringList{u"w1"_s}
        << QStringList{u"Titre é"_s};
    QTest::newRow("entries too small")
        << WindowTable(1, 0x6C, {{1, 4}}) << strings << QStringList{} << QStringList{};
    QTest::newRow("entry size zero")
        << WindowTable(3, 0, {}) << strings << QStringList{} << QStringList{};
    QTest::newRow("huge entry size")
        << WindowTable(1, 0xFFFFFFFF, {}) << strings << QStringList{} << QStringList{};
    QTest::newRow("no header") << QByteArray("\1\0\0", 3) << strings << QStringList{}
                               << QStringList{};
    QTest::newRow("no strings") << WindowTable(1, 196, {{1, 4}}) << QByteArray()
                                << QStringList{QString()} << QStringList{QString()};
}

void TestHelpReader::windowTables() {
    QFETCH(QByteArray, windows);
    QFETCH(QByteArray, strings);
    QFETCH(QStringList, names);
    QFETCH(QStringList, titles);
    QStringList readNames;
    QStringList readTitles;
    for (const TWindowDefinition& definition : ReadWindowDefinitions(windows, strings)) {
        readNames.append(definition.Name);
        readTitles.append(definition.Title);
    }
    QCOMPARE(readNames, names);
    QCOMPARE(readTitles, titles);
}

void TestHelpReader::requests_data() {
    QTest::addColumn<QString>("request");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QString>("window");

    QTest::newRow("contents") << u"quillorin.chm::/firstpage.htm>main window"_s << true
                              << u"quillorin.chm"_s << u"/firstpage.htm"_s << u"main window"_s;
    QTest::newRow("about") << u"quillorin.chm::/about.htm>main window"_s << true
                           << u"quillorin.chm"_s << u"/about.htm"_s << u"main window"_s;
    QTest::newRow("no window") << u"quillorin.chm::/about.htm"_s << true << u"quillorin.chm"_s
                               << u"/about.htm"_s << QString();
    QTest::newRow("file only") << u"quillorin.chm"_s << true << u"quillorin.chm"_s << QString()
                               << QString();
    QTest::newRow("file and window") << u"quillorin.chm>main window"_s << true << u"quillorin.chm"_s
                                     << QString() << u"main window"_s;
    QTest::newRow("topic without slash") << u"quillorin.chm::about.htm>w"_s << true
                                         << u"quillorin.chm"_s << u"/about.htm"_s << u"w"_s;
    QTest::newRow("anchor") << u"quillorin.chm::/evaluations.htm#bilan>w"_s << true
                            << u"quillorin.chm"_s << u"/evaluations.htm#bilan"_s << u"w"_s;
    QTest::newRow("window with >")
        << u"a.chm::/t.htm>x>y"_s << true << u"a.chm"_s << u"/t.htm"_s << u"x>y"_s;
    QTest::newRow("full path") << u"/opt/q/quillorin.chm::/t.htm>w"_s << true
                               << u"/opt/q/quillorin.chm"_s << u"/t.htm"_s << u"w"_s;
    QTest::newRow("empty") << QString() << false << QString() << QString() << QString();
    QTest::newRow("no file") << u"::/firstpage.htm>main window"_s << false << QString() << QString()
                             << QString();
    QTest::newRow("window only") << u">main window"_s << false << QString() << QString()
                                 << QString();
}

void TestHelpReader::requests() {
    QFETCH(QString, request);
    QFETCH(bool, valid);
    const std::optional<THelpRequest> parsed = THelpRequest::Parse(request);
    QCOMPARE(parsed.has_value(), valid);
    if (!valid)
        return;
    QTEST(parsed->FileName, "file");
    QTEST(parsed->Topic, "topic");
    QTEST(parsed->WindowName, "window");
}

QTEST_GUILESS_MAIN(TestHelpReader)
#include "tst_help_reader.moc"
