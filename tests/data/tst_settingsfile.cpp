#include "data/Cp1252.h"
#include "data/Settings.h"

#include <QFile>
#include <QTest>

namespace {

TSettings Read(const char* text) {
    return ReadSettings(TSettingsFile(
        Cp1252::Encode(QString::fromUtf8(text).replace(u'\n', QStringLiteral("\r\n")))));
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void settingNumber_data();
    void settingNumber();
    void windowState_data();
    void windowState();
    void keysAnywhereFirstWins();
    void panelsAndToolBar();
    void fontStyle_data();
    void fontStyle();
    void printNumbersKeptAsRead();
    void columnHints();
    void writesTheLayout();
    void maximizedWritesNoBounds();
    void writtenFileReadsBack();
    void unreadLines_data();
    void unreadLines();
};

void TestSettingsFile::settingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("digits") << QStringLiteral("237") << 237;
    QTest::newRow("leading zeros") << QStringLiteral("007") << 7;
    QTest::newRow("negative") << QStringLiteral("-8") << 0;
    QTest::newRow("blank") << QStringLiteral(" 5") << 0;
    QTest::newRow("letter") << QStringLiteral("5px") << 0;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("largest") << QStringLiteral("2147483647") << 2147483647;
    QTest::newRow("too large for 32 bits") << QStringLiteral("2147483648") << 0;
    QTest::newRow("far too large") << QStringLiteral("99999999999999999999999") << 0;
}

void TestSettingsFile::settingNumber() {
    QFETCH(QString, text);
    QTEST(SettingNumber(text), "value");
}

void TestSettingsFile::windowState_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("normal");
    QTest::addColumn<QRect>("bounds");
    const QRect designed(237, 106, 580, 443);
    QTest::newRow("normal") << QByteArray(
                                   "WindowState=wsNormal\nLeft=10\nTop=20\nWidth=700\nHeight=500")
                            << true << QRect(10, 20, 700, 500);
    QTest::newRow("lower-case key")
        << QByteArray("windowstate=wsNormal\nLeft=1\nTop=2\nWidth=3\nHeight=4") << true
        << QRect(1, 2, 3, 4);
    QTest::newRow("lower-case value maximizes")
        << QByteArray("WindowState=wsnormal\nLeft=1") << false << designed;
    QTest::newRow("missing maximizes") << QByteArray("Left=1\nTop=2") << false << designed;
    QTest::newRow("negative left reads 0")
        << QByteArray("WindowState=wsNormal\nLeft=-8\nTop=5\nWidth=600\nHeight=400") << true
        << QRect(0, 5, 600, 400);
    QTest::newRow("missing bounds read 0")
        << QByteArray("WindowState=wsNormal") << true << QRect(0, 0, 0, 0);
}

void TestSettingsFile::windowState() {
    QFETCH(QByteArray, file);
    const TSettings settings = Read(file.constData());
    QTEST(settings.Window.Normal, "normal");
    QTEST(settings.Window.Bounds, "bounds");
}

void TestSettingsFile::keysAnywhereFirstWins() {
    const TSettings settings =
        Read("[Hints]\nTreeWidth=300\n[Window state and size]\nTREEWIDTH=200\n"
             "noequals\nCol1=premier\ncol1=second");
    QCOMPARE(settings.Window.TreeWidth, 300);
    QCOMPARE(settings.ColHints[1], QStringLiteral("premier"));
}

void TestSettingsFile::panelsAndToolBar() {
    const TSettings missing = Read("[ToolBar]");
    QCOMPARE(missing.Window.TreeWidth, 0);
    QCOMPARE(missing.Window.RemarksMemoHeight, 0);
    QVERIFY(!missing.Window.ToolBarVisible);
    QVERIFY(missing.Window.BigIcons);
    const TSettings set = Read("ToolBarVisible=1\nBigIcons=0\nRemarksMemoHeight=12");
    QVERIFY(set.Window.ToolBarVisible);
    QVERIFY(!set.Window.BigIcons);
    QCOMPARE(set.Window.RemarksMemoHeight, 12);
    QVERIFY(!Read("ToolBarVisible=yes").Window.ToolBarVisible);
    QVERIFY(Read("BigIcons=no").Window.BigIcons);
}

void TestSettingsFile::fontStyle_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::newRow("both absent") << QByteArray("FontName=Arial") << true << true;
    QTest::newRow("both off") << QByteArray("FontBold=0\nFontItalic=0") << false << false;
    QTest::newRow("any other text is on")
        << QByteArray("FontBold=non\nFontItalic=0") << true << false;
}

void TestSettingsFile::fontStyle() {
    QFETCH(QByteArray, file);
    const TPrintConf print = Read(file.constData()).PrintConf;
    QTEST(print.FontStyle.testFlag(TFontStyle::Bold), "bold");
    QTEST(print.FontStyle.testFlag(TFontStyle::Italic), "italic");
}

void TestSettingsFile::printNumbersKeptAsRead() {
    const TPrintConf print =
        Read("FontName= Times New Roman \nFontSize=72\nDrawTitle=5\nDrawRemarks=x\n"
             "ColWidth=100\nMarkColWidth=7\nRowHeight=9999\nZoomIndex=42\nLeftMargin=3")
            .PrintConf;
    QCOMPARE(print.FontName, QStringLiteral(" Times New Roman "));
    QCOMPARE(print.FontSize, 72);
    QCOMPARE(print.DrawTitle, 5);
    QCOMPARE(print.DrawRemarks, 0);
    QCOMPARE(print.ColWidth, 100);
    QCOMPARE(print.MarkColWidth, 7);
    QCOMPARE(print.RowHeight, 9999);
    QCOMPARE(print.ZoomIndex, 42);
    QCOMPARE(print.LeftMargin, 3);
}

void TestSettingsFile::columnHints() {
    const TSettings settings = Read("Col0=\nCol2=\nCol3=à revoir\nCol5=note = sur 20");
    QCOMPARE(settings.ColHints[0], QStringLiteral("matière"));
    QCOMPARE(settings.ColHints[1], QStringLiteral("acquis"));
    QCOMPARE(settings.ColHints[2], QStringLiteral("en cours d'acquisition"));
    QCOMPARE(settings.ColHints[3], QStringLiteral("à revoir"));
    QCOMPARE(settings.ColHints[4], QStringLiteral("? = indéterminé"));
    QCOMPARE(settings.ColHints[5], QStringLiteral("note = sur 20"));
}

void TestSettingsFile::writesTheLayout() {
    TSettings settings;
    settings.Window.Bounds = QRect(-8, 20, 700, 500);
    settings.Window.TreeWidth = 200;
    settings.Window.RemarksMemoHeight = 80;
    settings.Window.BigIcons = false;
    settings.PrintConf.FontName = QStringLiteral("DejaVu Serif");
    settings.PrintConf.FontSize = 10;
    settings.PrintConf.FontStyle = TFontStyle::Italic;
    settings.PrintConf.DrawTitle = 1;
    settings.PrintConf.ColWidth = 15;
    settings.PrintConf.ZoomIndex = 2;
    settings.PrintConf.LeftMargin = -5;
    settings.ColHints[1] = QStringLiteral("réussi");
    QFile golden(QFINDTESTDATA("golden/quillorin.ini"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QCOMPARE(EncodeSettings(settings), golden.readAll());
}

void TestSettingsFile::maximizedWritesNoBounds() {
    TSettings settings;
    settings.Window.Normal = false;
    const QByteArray written = EncodeSettings(settings);
    QVERIFY(written.startsWith(
        "[Window state and size]\r\nWindowState=wsMaximized\r\nTreeWidth=169\r\n"));
    QVERIFY(!written.contains("Left="));
    const TSettings read = ReadSettings(TSettingsFile(written));
    QVERIFY(!read.Window.Normal);
    QCOMPARE(read.Window.Bounds, QRect(237, 106, 580, 443));
}

void TestSettingsFile::writtenFileReadsBack() {
    TSettings settings;
    settings.Window.Bounds = QRect(5, 6, 777, 555);
    settings.Window.ToolBarVisible = false;
    settings.PrintConf.FontName = QStringLiteral("Arial");
    settings.PrintConf.FontSize = 12;
    settings.PrintConf.FontStyle = TFontStyle::Bold;
    settings.PrintConf.DrawRemarks = 1;
    settings.ColHints[4] = QStringLiteral("inconnu");
    const TSettings read = ReadSettings(TSettingsFile(EncodeSettings(settings)));
    QCOMPARE(read.Window.Bounds, settings.Window.Bounds);
    QCOMPARE(read.Window.ToolBarVisible, false);
    QCOMPARE(read.PrintConf, settings.PrintConf);
    QCOMPARE(read.ColHints, settings.ColHints);
}

void TestSettingsFile::unreadLines_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("unread");
    const QByteArray written = EncodeSettings(TSettings());
    QTest::newRow("as written") << written << 0;
    QTest::newRow("LF, blanks, unknown keys, indented section")
        << QByteArray("  [Hints]  \n\n \t\nNouveau=1\nCol0=mati\xE8re\n") << 0;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("a note without a key") << written + "mes r\xE9glages\r\n" << 1;
    QTest::newRow("a line with no key before its \"=\"") << QByteArray("=1\r\n") << 1;
    QString text = QString::fromLatin1(written);
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE") +
                                   QByteArray(reinterpret_cast<const char*>(text.utf16()),
                                              text.size() * 2)
                            << int(2 * written.count('\n') + 1);
    QTest::newRow("binary") << QByteArray("\x00\x01\x02=\x03\r\nLeft=5\r\n", 15) << 1;
}

// What the reader could not read is counted, so that the file is copied
// before it is overwritten; what it reads or ignores as settings is not.
void TestSettingsFile::unreadLines() {
    QFETCH(QByteArray, file);
    const TSettingsFile read(file);
    QTEST(read.UnreadLines(), "unread");
    QCOMPARE(read.ReadWhole(), read.UnreadLines() == 0);
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
