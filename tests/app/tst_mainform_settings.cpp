#include "MainFormFixture.h"

#include "data/Cp1252.h"
#include "data/SettingsFile.h"
#include "workspace/WorkspaceModel.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QTest>
#include <QToolBar>

#include <limits>

namespace {

QByteArray Settings(const QString& text) {
    QString crlf = text;
    return Cp1252::Encode(crlf.replace(u'\n', QStringLiteral("\r\n")));
}

} // namespace

class TestMainFormSettings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void windowFromTheFile_data();
    void windowFromTheFile();
    void panelsFromTheFile_data();
    void panelsFromTheFile();
    void absurdValuesAreBoundedByTheScreen_data();
    void absurdValuesAreBoundedByTheScreen();
    void toolBarOptions_data();
    void toolBarOptions();
    void printSettingsAndHints();
    void windowOffEveryScreenComesBack();
    void maximizedWindowRestoresTheDesignedBounds();
    void editsSurviveARestart();
};

void TestMainFormSettings::windowFromTheFile_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("maximized");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("normal") << QStringLiteral(
                                   "WindowState=wsNormal\nLeft=30\nTop=40\nWidth=640\nHeight=480")
                            << false << QPoint(30, 40);
    QTest::newRow("lower-case key")
        << QStringLiteral("windowstate=wsNormal\nleft=31\nTOP=41\nWidth=640\nHeight=480") << false
        << QPoint(31, 41);
    QTest::newRow("lower-case value")
        << QStringLiteral("WindowState=wsnormal") << true << QPoint(237, 106);
    QTest::newRow("no window state") << QStringLiteral("TreeWidth=100") << true << QPoint(237, 106);
    QTest::newRow("left -8") << QStringLiteral(
                                    "WindowState=wsNormal\nLeft=-8\nTop=5\nWidth=640\nHeight=480")
                             << false << QPoint(0, 5);
    QTest::newRow("number too large")
        << QStringLiteral("WindowState=wsNormal\nLeft=99999999999\nTop=7\nWidth=640\nHeight=480")
        << false << QPoint(0, 7);
}

void TestMainFormSettings::windowFromTheFile() {
    QFETCH(QString, file);
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("quillorin.ini"), Settings(file));
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    TMainForm& form = f.Start();
    QVERIFY(f.Driver.Messages.isEmpty());
    QTEST(form.isMaximized(), "maximized");
    if (!form.isMaximized()) {
        QTEST(form.pos(), "position");
        QCOMPARE(form.size(), QSize(640, 480));
    }
    // The workspace is loaded whatever the settings held.
    QCOMPARE(form.Model().rowCount(), 1);
}

void TestMainFormSettings::panelsFromTheFile_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("tree");
    QTest::addColumn<int>("remarks");
    const QString window =
        QStringLiteral("WindowState=wsNormal\nLeft=0\nTop=0\nWidth=700\nHeight=500\n");
    QTest::newRow("both") << window + QStringLiteral("TreeWidth=200\nRemarksMemoHeight=90") << 200
                          << 90;
    QTest::newRow("no tree width") << window + QStringLiteral("RemarksMemoHeight=90") << 0 << 90;
    QTest::newRow("remarks below 40")
        << window + QStringLiteral("TreeWidth=150\nRemarksMemoHeight=12") << 150 << 40;
}

void TestMainFormSettings::panelsFromTheFile() {
    QFETCH(QString, file);
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("quillorin.ini"), Settings(file));
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    f.Start();
    QTEST(f.Find<QWidget>("LeftPnl")->width(), "tree");
    QTEST(f.Find<QWidget>("BottomPnl")->height(), "remarks");
    QVERIFY(f.Quit(QStringLiteral("OkBtn")));
    const TSettingsFile saved(f.ReadFile(QStringLiteral("quillorin.ini")));
    QTEST(saved.Number(QStringLiteral("TreeWidth")), "tree");
    QTEST(saved.Number(QStringLiteral("RemarksMemoHeight")), "remarks");
}

void TestMainFormSettings::absurdValuesAreBoundedByTheScreen_data() {
    QTest::addColumn<QString>("file");
    const QString largest = QString::number(std::numeric_limits<int>::max());
    const QString normal = QStringLiteral("WindowState=wsNormal\n");
    const QString size = QStringLiteral("Width=640\nHeight=480\n");
    QTest::newRow("huge size")
        << normal + QStringLiteral("Left=0\nTop=0\nWidth=%1\nHeight=%1").arg(largest);
    QTest::newRow("position past the integers")
        << normal + size + QStringLiteral("Left=%1\nTop=%1").arg(largest);
    QTest::newRow("huge tree") << normal + size + QStringLiteral("TreeWidth=%1").arg(largest);
    QTest::newRow("huge remarks") << normal + size +
                                         QStringLiteral("RemarksMemoHeight=%1").arg(largest);
}

// What the file says is bounded by the screen; what is written back is what
// the window had.
void TestMainFormSettings::absurdValuesAreBoundedByTheScreen() {
    QFETCH(QString, file);
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("quillorin.ini"), Settings(file));
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    TMainForm& form = f.Start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(screen.contains(QRect(form.pos(), form.size())));
    QVERIFY(f.Find<QWidget>("LeftPnl")->width() < form.width());
    QVERIFY(f.Find<QWidget>("MainPanel")->width() >= 400);
    QVERIFY(f.Find<QWidget>("TopPanel")->height() > 0);
    const QRect bounds(form.pos(), form.size());
    const int tree = f.Find<QWidget>("LeftPnl")->width();
    const int remarks = f.Find<QWidget>("BottomPnl")->height();
    QVERIFY(f.Quit(QStringLiteral("OkBtn")));
    const TSettingsFile saved(f.ReadFile(QStringLiteral("quillorin.ini")));
    QCOMPARE(QRect(saved.Number(QStringLiteral("Left")), saved.Number(QStringLiteral("Top")),
                   saved.Number(QStringLiteral("Width")), saved.Number(QStringLiteral("Height"))),
             bounds);
    QCOMPARE(saved.Number(QStringLiteral("TreeWidth")), tree);
    QCOMPARE(saved.Number(QStringLiteral("RemarksMemoHeight")), remarks);
}

void TestMainFormSettings::toolBarOptions_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("big");
    QTest::newRow("shown, big") << QStringLiteral("ToolBarVisible=1\nBigIcons=1") << true << true;
    QTest::newRow("absent: hidden") << QStringLiteral("BigIcons=1") << false << true;
    QTest::newRow("small icons") << QStringLiteral("ToolBarVisible=1\nBigIcons=0") << true << false;
    QTest::newRow("other text: big")
        << QStringLiteral("ToolBarVisible=oui\nBigIcons=non") << false << true;
}

void TestMainFormSettings::toolBarOptions() {
    QFETCH(QString, file);
    QFETCH(bool, visible);
    QFETCH(bool, big);
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("quillorin.ini"),
                Settings(QStringLiteral("WindowState=wsNormal\nWidth=700\nHeight=500\n") + file));
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    f.Start();
    QCOMPARE(f.Find<QToolBar>("ToolBar")->isVisible(), visible);
    QCOMPARE(f.Find<QAction>("FileToolBar")->isChecked(), visible);
    QCOMPARE(f.Find<QAction>("FileBigIconsItem")->isChecked(), big);
    QCOMPARE(f.Find<QToolBar>("ToolBar")->iconSize().width(), big ? 32 : 16);
    QVERIFY(f.Quit(QStringLiteral("OkBtn")));
    const TSettingsFile saved(f.ReadFile(QStringLiteral("quillorin.ini")));
    QCOMPARE(saved.Value(QStringLiteral("ToolBarVisible")),
             visible ? QStringLiteral("1") : QStringLiteral("0"));
    QCOMPARE(saved.Value(QStringLiteral("BigIcons")),
             big ? QStringLiteral("1") : QStringLiteral("0"));
}

void TestMainFormSettings::printSettingsAndHints() {
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("quillorin.ini"),
                Settings(QStringLiteral(
                    "WindowState=wsNormal\nWidth=700\nHeight=500\nFontName=Arial\nFontSize=11\n"
                    "FontItalic=0\nDrawTitle=1\nColWidth=20\nZoomIndex=3\nCol2=\nCol3=à revoir\n"
                    "[Hints]\ncol3=ignoré")));
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    TMainForm& form = f.Start();
    QCOMPARE(form.PrintConf().FontName, QStringLiteral("Arial"));
    QCOMPARE(form.PrintConf().FontSize, 11);
    QCOMPARE(form.PrintConf().FontStyle, TFontStyles(TFontStyle::Bold));
    QCOMPARE(form.PrintConf().ZoomIndex, 3);
    QCOMPARE(form.ColHints()[2], QStringLiteral("en cours d'acquisition"));
    QCOMPARE(form.ColHints()[3], QStringLiteral("à revoir"));
    QVERIFY(f.Quit(QStringLiteral("OkBtn")));
    const TSettingsFile saved(f.ReadFile(QStringLiteral("quillorin.ini")));
    QCOMPARE(saved.Value(QStringLiteral("FontBold")), QStringLiteral("1"));
    QCOMPARE(saved.Value(QStringLiteral("FontItalic")), QStringLiteral("0"));
    QCOMPARE(saved.Value(QStringLiteral("Col3")), QStringLiteral("à revoir"));
    QCOMPARE(saved.Value(QStringLiteral("ColWidth")), QStringLiteral("20"));
}

void TestMainFormSettings::windowOffEveryScreenComesBack() {
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("quillorin.ini"),
                Settings(QStringLiteral(
                    "WindowState=wsNormal\nLeft=5000\nTop=3000\nWidth=500\nHeight=400")));
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    TMainForm& form = f.Start();
    const QRect screen = form.screen()->availableGeometry();
    QVERIFY(screen.contains(QRect(form.pos(), form.size())));
    QCOMPARE(form.size(), QSize(500, 400));
}

void TestMainFormSettings::maximizedWindowRestoresTheDesignedBounds() {
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("quillorin.ini"),
                Settings(QStringLiteral("WindowState=wsMaximized\nTreeWidth=169")));
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    TMainForm& form = f.Start();
    QVERIFY(form.isMaximized());
    QCOMPARE(form.normalGeometry(), QRect(237, 106, 580, 443));
    QVERIFY(f.Quit(QStringLiteral("OkBtn")));
    const QByteArray saved = f.ReadFile(QStringLiteral("quillorin.ini"));
    QVERIFY(saved.contains("WindowState=wsMaximized\r\nTreeWidth="));
    QVERIFY(!saved.contains("Left="));
}

void TestMainFormSettings::editsSurviveARestart() {
    QString windowAfterQuit;
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    {
        TMainForm& form = f.Start();
        form.move(50, 60);
        form.resize(720, 520);
        form.SelectNode(form.Model().index(0, 0, form.Model().index(0, 0)));
        f.Find<QLineEdit>("NameEdt")->setText(QStringLiteral("jean-marc"));
        f.Find<QLineEdit>("BirthdayEdt")->setText(QStringLiteral("né en mai"));
        auto* combo = f.Find<QComboBox>("SexeCombo");
        combo->setCurrentIndex(1);
        Q_EMIT combo->activated(1);
        f.Find<QPlainTextEdit>("RemarksMemo")
            ->setPlainText(QStringLiteral("Très bien.\nContinue !"));
        f.Find<QAction>("FileBigIconsItem")->trigger();
        f.Find<QAction>("FileToolBar")->trigger();
        QVERIFY(f.Quit(QStringLiteral("OkBtn")));
    }
    f.Form.reset();
    TMainForm& form = f.Start();
    QVERIFY(f.Driver.Messages.isEmpty());
    QCOMPARE(form.pos(), QPoint(50, 60));
    QCOMPARE(form.size(), QSize(720, 520));
    QVERIFY(!f.Find<QToolBar>("ToolBar")->isVisible());
    QVERIFY(!f.Find<QAction>("FileBigIconsItem")->isChecked());
    const QModelIndex pupil = form.Model().index(0, 0, form.Model().index(0, 0));
    QCOMPARE(pupil.data().toString(), QStringLiteral("Untel Jean-Marc"));
    QCOMPARE(pupil.data(TWorkspaceModel::ImageIndexRole).toInt(), 6);
    const TPData& record = *form.Model().NodeAt(pupil)->Data;
    QCOMPARE(record.BirthDay(), QStringLiteral("né en mai"));
    QCOMPARE(record.Sexe(), QStringLiteral("Fille"));
    QCOMPARE(record.Lines(),
             (QStringList{QStringLiteral("Très bien."), QStringLiteral("Continue !")}));
    QCOMPARE(record.GetMark(1), 15.5);
}

QTEST_MAIN(TestMainFormSettings)
#include "tst_mainform_settings.moc"
