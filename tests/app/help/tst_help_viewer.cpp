#include "app/help/HelpBrowser.h"
#include "app/help/HelpLog.h"
#include "app/help/HelpViewer.h"
#include "app/help/HookHelpSystem.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString ContentsRequest = u"quillorin.chm::/firstpage.htm>main window"_s;
const QString AboutRequest = u"quillorin.chm::/about.htm>main window"_s;

QString ProgramFolder() {
    return QCoreApplication::applicationDirPath() + u'/';
}

QString BuiltHelpFile() {
    return ProgramFolder() + u"quillorin.chm"_s;
}

QList<THelpViewer*> Viewers() {
    QList<THelpViewer*> viewers;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<THelpViewer*>(widget))
            viewers.append(viewer);
    }
    return viewers;
}

THelpViewer* OnlyViewer() {
    const QList<THelpViewer*> viewers = Viewers();
    return viewers.size() == 1 ? viewers.first() : nullptr;
}

// A point of the viewport inside the link to href, scrolled into view.
QPoint LinkPoint(QTextBrowser* browser, const QString& href) {
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(browser->document());
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            browser->setTextCursor(cursor);
            browser->ensureCursorVisible();
            return browser->cursorRect(cursor).center();
        }
    }
    return {-1, -1};
}

// Whether the rendered page shows the red quill of the help's picture.
bool ShowsThePicture(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 80 && c.blue() < 60)
                return true;
        }
    }
    return false;
}

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestHelpViewer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void viewerVersion();
    void showsTheFirstPage();
    void followsLinksAndHistory();
    void reusesTheWindowOfTheSameName();
    void explainsWhatCannotBeShown_data();
    void explainsWhatCannotBeShown();
    void refusesWhatIsNoRequest();
    void closeAllClosesEveryWindow();
    void debugLog_data();
    void debugLog();
    void contentsBesideThePage();
    void closesWithTheKeyboard_data();
    void closesWithTheKeyboard();
};

void TestHelpViewer::initTestCase() {
    QApplication::setFont(QFont(u"DejaVu Sans"_s, 10));
    QVERIFY(QFile::exists(BuiltHelpFile()));
}

void TestHelpViewer::cleanup() {
    QVERIFY(Viewers().isEmpty());
}

void TestHelpViewer::viewerVersion() {
    QCOMPARE(THookHelpSystem::HelpViewerVersion(), 4);
}

void TestHelpViewer::showsTheFirstPage() {
    THookHelpSystem hook(BuiltHelpFile(), QString());
    QVERIFY(hook.DisplayTopic(ContentsRequest));
    THelpViewer* viewer = OnlyViewer();
    QVERIFY(viewer != nullptr);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), u"Aide de Quillorin"_s);
    THelpBrowser* browser = viewer->Browser();
    QCOMPARE(browser->source(), QUrl(u"chm:/firstpage.htm"_s));
    QCOMPARE(browser->documentTitle(), u"Bienvenue dans Quillorin"_s);
    const QString text = browser->toPlainText();
    QVERIFY(text.contains(u"Bienvenue dans Quillorin"_s));
    QVERIFY(text.contains(u"Quillorin est un carnet d'évaluation pour les enseignants."_s));
    QVERIFY(ShowsThePicture(browser->viewport()));
}

void TestHelpViewer::followsLinksAndHistory() {
    THookHelpSystem hook(BuiltHelpFile(), QString());
    QVERIFY(hook.DisplayTopic(ContentsRequest));
    THelpViewer* viewer = OnlyViewer();
    QVERIFY(viewer != nullptr);
    THelpBrowser* browser = viewer->Browser();
    auto* back = viewer->findChild<QToolButton*>(u"BackBtn"_s);
    auto* forward = viewer->findChild<QToolButton*>(u"ForwardBtn"_s);
    auto* home = viewer->findChild<QToolButton*>(u"HomeBtn"_s);
    QVERIFY(back != nullptr && forward != nullptr && home != nullptr);
    QVERIFY(!back->isEnabled());

    const QPoint link = LinkPoint(browser, u"classes.htm"_s);
    QVERIFY(browser->viewport()->rect().contains(link));
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, link);
    QTRY_COMPARE(browser->source(), QUrl(u"chm:/classes.htm"_s));
    QCOMPARE(browser->documentTitle(), u"Les classes et les élèves"_s);
    QVERIFY(browser->toPlainText().contains(u"Créer une classe"_s));
    QVERIFY(back->isEnabled());

    // A link with an anchor to another topic.
    const QPoint anchor = LinkPoint(browser, u"evaluations.htm#bilan"_s);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, anchor);
    QTRY_COMPARE(browser->source(), QUrl(u"chm:/evaluations.htm#bilan"_s));
    QCOMPARE(browser->documentTitle(), u"Les évaluations"_s);

    back->click();
    QCOMPARE(browser->source(), QUrl(u"chm:/classes.htm"_s));
    QVERIFY(forward->isEnabled());
    forward->click();
    QCOMPARE(browser->source(), QUrl(u"chm:/evaluations.htm#bilan"_s));
    home->click();
    QCOMPARE(browser->source(), QUrl(u"chm:/firstpage.htm"_s));
}

void TestHelpViewer::reusesTheWindowOfTheSameName() {
    THookHelpSystem hook(BuiltHelpFile(), QString());
    QVERIFY(hook.DisplayTopic(ContentsRequest));
    THelpViewer* first = OnlyViewer();
    QVERIFY(first != nullptr);
    first->hide();
    QVERIFY(hook.DisplayTopic(u"quillorin.chm::/ABOUT.HTM>Main Window"_s));
    QCOMPARE(OnlyViewer(), first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->Browser()->documentTitle(), u"À propos de Quillorin"_s);
    const QString about = first->Browser()->toPlainText();
    QVERIFY(about.contains(u"Quillorin, version 0.2 (Beta)"_s));
    QVERIFY(about.contains(u"tree.dat"_s));
}

void TestHelpViewer::explainsWhatCannotBeShown_data() {
    QTest::addColumn<bool>("withHelpFile");
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("explanation");
    QTest::newRow("unknown topic")
        << true << u"quillorin.chm::/nothere.htm>main window"_s
        << u"La page « /nothere.htm » n'existe pas dans le fichier d'aide « quillorin.chm »."_s;
    QTest::newRow("unknown file")
        << true << u"autre.chm::/firstpage.htm>main window"_s
        << u"Le fichier d'aide « autre.chm » est introuvable ou illisible."_s;
    QTest::newRow("help file missing")
        << false << ContentsRequest
        << u"Le fichier d'aide « quillorin.chm » est introuvable ou illisible."_s;
}

void TestHelpViewer::explainsWhatCannotBeShown() {
    QFETCH(bool, withHelpFile);
    QFETCH(QString, request);
    QFETCH(QString, explanation);
    QTemporaryDir empty;
    THookHelpSystem hook(withHelpFile ? BuiltHelpFile() : empty.filePath(u"quillorin.chm"_s),
                         QString());
    QVERIFY(hook.DisplayTopic(request));
    THelpViewer* viewer = OnlyViewer();
    QVERIFY(viewer != nullptr);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->Browser()->documentTitle(), u"Page d'aide indisponible"_s);
    QVERIFY2(viewer->Browser()->toPlainText().contains(explanation),
             qPrintable(viewer->Browser()->toPlainText()));
}

void TestHelpViewer::refusesWhatIsNoRequest() {
    THookHelpSystem hook(BuiltHelpFile(), QString());
    QVERIFY(!hook.DisplayTopic(QString()));
    QVERIFY(!hook.DisplayTopic(u"::/firstpage.htm>main window"_s));
    QVERIFY(Viewers().isEmpty());
}

void TestHelpViewer::closeAllClosesEveryWindow() {
    {
        THookHelpSystem hook(BuiltHelpFile(), QString());
        QVERIFY(hook.DisplayTopic(ContentsRequest));
        QVERIFY(hook.DisplayTopic(u"quillorin.chm::/about.htm>second window"_s));
        QCOMPARE(Viewers().size(), 2);
        hook.CloseAll();
        QVERIFY(Viewers().isEmpty());
        // The hook still serves requests after closing its windows.
        QVERIFY(hook.DisplayTopic(AboutRequest));
        QCOMPARE(Viewers().size(), 1);
    }
    // Releasing the hook closes what is left.
    QVERIFY(Viewers().isEmpty());
}

void TestHelpViewer::debugLog_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("switchFile");
    QTest::addColumn<bool>("logged");
    const QString program = u"quillorin"_s;
    QTest::newRow("nothing") << QStringList{program} << false << false;
    QTest::newRow("debug.debug") << QStringList{program} << true << true;
    QTest::newRow("/debug") << QStringList{program, u"/debug"_s} << false << true;
    QTest::newRow("-debug") << QStringList{program, u"-debug"_s} << false << true;
    QTest::newRow("other argument") << QStringList{program, u"debug"_s} << false << false;
    QTest::newRow("program named /debug") << QStringList{u"/debug"_s} << false << false;
}

void TestHelpViewer::debugLog() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, switchFile);
    QFETCH(bool, logged);
    QTemporaryDir folder;
    const QString programFolder = folder.path() + u'/';
    if (switchFile) {
        QFile file(programFolder + THelpLog::SwitchFileName());
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::copy(BuiltHelpFile(), programFolder + u"quillorin.chm"_s));
    const QString log = programFolder + THelpLog::LogFileName();
    {
        THookHelpSystem hook(programFolder + u"quillorin.chm"_s, QString(),
                             {arguments, programFolder});
        QVERIFY(hook.DisplayTopic(ContentsRequest));
        QVERIFY(!hook.DisplayTopic(u"::nothing"_s));
    }
    QCOMPARE(QFile::exists(log), logged);
    if (!logged)
        return;
    const QStringList lines = ReadText(log).split(u'\n');
    const auto has = [&](const QString& start) {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const QString& line) { return line.startsWith(start); });
    };
    QVERIFY(has(u"Help file name: quillorin.chm"_s));
    QVERIFY(has(u"Date: "_s));
    QVERIFY(has(u"Locale: "_s));
    QVERIFY(has(u"Decimal separator: "_s));
    QVERIFY(has(u"Program folder: "_s + QDir::toNativeSeparators(programFolder)));
    QVERIFY(has(u"Help file path: "_s));
    QVERIFY(has(u"Help viewer version: 4"_s));
    const auto calls = [&](const QString& part) {
        return std::count_if(lines.begin(), lines.end(),
                             [&](const QString& line) { return line.contains(part); });
    };
    QCOMPARE(calls(u"DisplayTopic \""_s + ContentsRequest + u"\": shown"_s), 1);
    QCOMPARE(calls(u"DisplayTopic \"::nothing\": not a help request"_s), 1);
    QCOMPARE(calls(u"CloseAll: 1 help window(s) closed"_s), 1);
}

void TestHelpViewer::contentsBesideThePage() {
    THookHelpSystem hook(BuiltHelpFile(), QString());
    QVERIFY(hook.DisplayTopic(ContentsRequest));
    THelpViewer* viewer = OnlyViewer();
    QVERIFY(viewer != nullptr);
    QTreeWidget* contents = viewer->Contents();
    QVERIFY(contents->isVisible());
    QStringList names;
    for (QTreeWidgetItemIterator it(contents); *it; ++it)
        names << (*it)->text(0);
    QCOMPARE(names.value(0), u"Bienvenue dans Quillorin"_s);
    QVERIFY2(names.contains(u"Les classes et les élèves"_s), qPrintable(names.join(u'|')));
    QCOMPARE(contents->currentItem()->text(0), u"Bienvenue dans Quillorin"_s);
    const QList<QTreeWidgetItem*> found =
        contents->findItems(u"Les classes et les élèves"_s, Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                      contents->visualItemRect(found.first()).center());
    QTRY_COMPARE(viewer->Browser()->source(), QUrl(u"chm:/classes.htm"_s));
    // A link followed in the page moves the selection along.
    viewer->ShowTopic(u"/about.htm"_s);
    QVERIFY(contents->currentItem()->text(0).contains(u"propos"_s));
}

void TestHelpViewer::closesWithTheKeyboard_data() {
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("Escape") << QKeySequence(Qt::Key_Escape);
    QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W);
}

void TestHelpViewer::closesWithTheKeyboard() {
    QFETCH(QKeySequence, keys);
    THookHelpSystem hook(BuiltHelpFile(), QString());
    QVERIFY(hook.DisplayTopic(ContentsRequest));
    THelpViewer* viewer = OnlyViewer();
    QVERIFY(viewer != nullptr);
    viewer->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(viewer));
    QTest::keySequence(viewer->Browser(), keys);
    QVERIFY(!viewer->isVisible());
}

QTEST_MAIN(TestHelpViewer)
#include "tst_help_viewer.moc"
