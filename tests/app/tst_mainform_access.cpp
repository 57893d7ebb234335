#include "MainFormFixture.h"

#include "app/StatisticsForm.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSysInfo>
#include <QTest>
#include <QTreeView>

using namespace Qt::StringLiterals;

// A first start, a window that says what to do first, and a window that a
// keyboard and a screen reader can use.
class TestMainFormAccess : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstRunOrMissingFile_data();
    void firstRunOrMissingFile();
    void welcomeGoesWithTheFirstClass();
    void controlsHaveNames();
    void tabLeavesTheRemarks();
    void statisticsFollowTheSelectedClass();
};

void TestMainFormAccess::firstRunOrMissingFile_data() {
    QTest::addColumn<bool>("perUserFolder");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("missing"); // the files whose absence is told, in order
    QTest::addColumn<bool>("welcome");
    const QStringList both{u"quillorin.ini"_s, u"tree.dat"_s};
    QTest::newRow("new per-user folder") << true << QStringList() << QStringList() << true;
    QTest::newRow("per-user folder with dated copies")
        << true << QStringList{u"sauvegardes/tree-2026-12-01.dat"_s} << both << true;
    QTest::newRow("per-user folder with a lock left behind")
        << true << QStringList{u"tree.lock"_s} << both << true;
    QTest::newRow("per-user folder that kept its settings")
        << true << QStringList{u"quillorin.ini"_s} << QStringList{u"tree.dat"_s} << true;
    QTest::newRow("portable copy") << false << QStringList() << both << true;
    QTest::newRow("usual start") << true << QStringList{u"quillorin.ini"_s, u"tree.dat"_s}
                                 << QStringList() << false;
}

void TestMainFormAccess::firstRunOrMissingFile() {
    QFETCH(bool, perUserFolder);
    QFETCH(QStringList, files);
    QFETCH(QStringList, missing);
    QFETCH(bool, welcome);
    TMainFormFixture f;
    for (const QString& name : std::as_const(files)) {
        QDir().mkpath(QFileInfo(f.Path(name)).path());
        if (name == u"tree.lock")
            // A process number no process has: its program ended without unlocking.
            f.WriteFile(name, QByteArray("2147483000\nquillorin\n") +
                                  QSysInfo::machineHostName().toUtf8() + "\n");
        else
            f.WriteFile(name, name == u"tree.dat" ? ExampleWorkspace() : QByteArray("[Form]\r\n"));
    }
    TEnvironment environment =
        TMainFormFixture::Environment(f.Folder.path(), QLocale(QLocale::French, QLocale::France));
    environment.PerUserFolder = perUserFolder;
    f.Form = std::make_unique<TMainForm>(std::move(environment));
    f.Form->ShowAtStart();
    QStringList told;
    for (const QString& message : std::as_const(f.Driver.Messages)) {
        for (const QString& name : {u"quillorin.ini"_s, u"tree.dat"_s}) {
            if (message.contains(f.Path(name)) && message.contains(u"introuvable"_s))
                told << name;
        }
    }
    QCOMPARE(told, missing);
    QCOMPARE(f.Driver.Messages.size(), missing.size());
    auto* label = f.Find<QLabel>("WelcomeLbl");
    QVERIFY(label);
    QCOMPARE(label->isVisible(), welcome);
    if (welcome) {
        QVERIFY(label->text().contains(u"F3"_s));
        QVERIFY(label->text().contains(u"Importer des élèves"_s));
    }
}

void TestMainFormAccess::welcomeGoesWithTheFirstClass() {
    TMainFormFixture f;
    TEnvironment environment =
        TMainFormFixture::Environment(f.Folder.path(), QLocale(QLocale::French, QLocale::France));
    environment.PerUserFolder = true;
    f.Form = std::make_unique<TMainForm>(std::move(environment));
    f.Form->ShowAtStart();
    QVERIFY(f.Driver.Messages.isEmpty());
    auto* label = f.Find<QLabel>("WelcomeLbl");
    QVERIFY(label->isVisible());
    auto schoolClass = std::make_unique<TClassNode>();
    schoolClass->Text = u"CM1"_s;
    schoolClass->Data = std::make_unique<TPData>(TDataType::dtClass);
    schoolClass->Data->SetClassName(u"CM1"_s);
    f.Form->Editor().AddClass(std::move(schoolClass));
    QVERIFY(!label->isVisible());
    f.Form->EditUndoExecute();
    QCOMPARE(f.Form->Model().rowCount(), 0);
    QVERIFY(label->isVisible());
}

void TestMainFormAccess::controlsHaveNames() {
    TMainFormFixture f;
    f.WriteFile(u"tree.dat"_s, ExampleWorkspace());
    f.Start();
    const QStringList expected{u"Classes et élèves"_s, u"Évaluations"_s, u"Nom"_s,      u"Prénom"_s,
                               u"Date de naissance"_s, u"Sexe"_s,        u"Remarques"_s};
    QStringList names;
    for (const char* control :
         {"Tree", "Grid", "SurnameEdt", "NameEdt", "BirthdayEdt", "SexeCombo", "RemarksMemo"}) {
        QWidget* widget = f.Find<QWidget>(control);
        // Qt on Linux reads a combo box's name as its text and names it
        // through its label; the name set serves the other platforms.
        names << (qobject_cast<QComboBox*>(widget)
                      ? widget->accessibleName()
                      : QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name));
    }
    QCOMPARE(names, expected);
    // Every button of the tool bar, Qt's own included, says what it is.
    for (QAbstractButton* button : f.Find<QWidget>("ToolBar")->findChildren<QAbstractButton*>())
        QVERIFY2(!QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name).isEmpty(),
                 qPrintable(button->objectName()));
}

void TestMainFormAccess::tabLeavesTheRemarks() {
    TMainFormFixture f;
    f.WriteFile(u"tree.dat"_s, ExampleWorkspace());
    TMainForm& form = f.Start();
    form.SelectNode(form.Model().index(0, 0, form.Model().index(0, 0)));
    auto* memo = f.Find<QPlainTextEdit>("RemarksMemo");
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(memo->toPlainText(), u"Bon travail.\nPeut mieux faire en calcul.\t"_s);
    QCOMPARE(form.SelectedData()->Lines().last(), u"Peut mieux faire en calcul.\t"_s);
    QTest::keyClick(memo, Qt::Key_Tab);
    QVERIFY(!memo->hasFocus());
    QCOMPARE(memo->toPlainText(), u"Bon travail.\nPeut mieux faire en calcul.\t"_s);
}

void TestMainFormAccess::statisticsFollowTheSelectedClass() {
    TMainFormFixture f;
    QByteArray two = ExampleWorkspace();
    two.replace("NbClasses=1", "NbClasses=2");
    two += "\r\n[Class]\r\nClassName=CE2\r\nMatters=Calcul|\r\n";
    f.WriteFile(u"tree.dat"_s, two);
    TMainForm& form = f.Start();
    QCOMPARE(form.Model().rowCount(), 2);
    form.SelectNode(form.Model().index(0, 0));
    form.FileStatisticsExecute();
    TStatisticsForm* statistics = form.StatisticsWindow();
    QVERIFY(statistics);
    QCOMPARE(statistics->ClassIndex(), form.Model().index(0, 0));
    form.SelectNode(form.Model().index(1, 0));
    QCOMPARE(statistics->ClassIndex(), form.Model().index(1, 0));
    QVERIFY(statistics->windowTitle().endsWith(u"CE2"_s));
    // A pupil shows its class.
    form.SelectNode(form.Model().index(0, 0, form.Model().index(0, 0)));
    QCOMPARE(statistics->ClassIndex(), form.Model().index(0, 0));
}

QTEST_MAIN(TestMainFormAccess)
#include "tst_mainform_access.moc"
