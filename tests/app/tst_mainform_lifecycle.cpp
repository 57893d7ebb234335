#include "MainFormFixture.h"

#include "app/StatusBar.h"
#include "app/Version.h"
#include "app/help/HelpViewer.h"
#include "data/SafeFile.h"
#include "workspace/WorkspaceModel.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSysInfo>
#include <QTest>
#include <QTreeView>

class TestMainFormLifecycle : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startsWithNeitherFile();
    void loadsTheWorkspaceIntoTheTree();
    void cancelWritesNothing();
    void okWritesBothFiles();
    void emptyTreeWritesAHeaderOnly();
    void writeFailureKeepsTheWindowAndTheData();
    void damagedWorkspaceIsKeptBeforeBeingOverwritten();
    void fileWithLineEndsConvertedTwiceIsKept();
    void secondProgramOnTheFolderEndsWithoutWriting();
    void lockOfACrashedProgramIsTakenOver();
    void statusPanelZeroFollowsTheWidth();
    void helpTopicsShowAndCloseAtQuit();
};

void TestMainFormLifecycle::startsWithNeitherFile() {
    TMainFormFixture f;
    f.Form = std::make_unique<TMainForm>(
        TMainFormFixture::Environment(f.Folder.path(), QLocale(QLocale::French, QLocale::France)));
    QCOMPARE(f.Driver.Messages,
             (QStringList{
                 QStringLiteral(
                     "Le fichier '%1' est introuvable,\nles paramètres par defaut seront utilisés.")
                     .arg(f.Path(QStringLiteral("quillorin.ini"))),
                 QStringLiteral(
                     "Le fichier '%1' est introuvable,\naucune classe et aucun élève recensés.")
                     .arg(f.Path(QStringLiteral("tree.dat")))}));
    QCOMPARE(f.Form->Model().rowCount(), 0);
    QCOMPARE(f.Form->geometry(), QRect(237, 106, 580, 443));
    QVERIFY(!f.Form->isMaximized());
    QCOMPARE(f.Find<QLabel>("RemarksLbl")->text(),
             QStringLiteral("(Evaluation au 06/12/2026) - Remarques :"));
    for (const char* disabled : {"FileNewPupil", "FileDelete", "FileModifyMatters", "FilePrint"})
        QVERIFY2(!f.Find<QAction>(disabled)->isEnabled(), disabled);
    for (const char* enabled :
         {"FileNewClass", "FileToolBar", "FileExit", "HelpContents", "HelpAbout"})
        QVERIFY2(f.Find<QAction>(enabled)->isEnabled(), enabled);
    QVERIFY(f.Find<QWidget>("Grid")->isHidden());
    QVERIFY(!f.Find<QWidget>("RemarksMemo")->isEnabled());
    QVERIFY(!f.Find<QWidget>("SurnameLbl")->isEnabled());
    QCOMPARE(f.Find<QComboBox>("SexeCombo")->currentText(), QStringLiteral("Je ne sais pas"));
    QVERIFY(f.Quit(QStringLiteral("OkBtn")));
    QVERIFY(!f.ReadFile(QStringLiteral("tree.dat")).isEmpty());
    QVERIFY(f.ReadFile(QStringLiteral("quillorin.ini"))
                .startsWith("[Window state and size]\r\nWindowState=wsNormal\r\nLeft=237\r\n"));
}

void TestMainFormLifecycle::loadsTheWorkspaceIntoTheTree() {
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("tree.dat"),
                ExampleWorkspace() +
                    FileOf({QString(), QStringLiteral("[Pupil]"), QStringLiteral("Surname=Zoé"),
                            QStringLiteral("Name=Aaa"), QString(), QStringLiteral("Class=CE1"),
                            QStringLiteral("Sexe=Fille"), QStringLiteral("Levels="),
                            QStringLiteral("Remarks=")}));
    TMainForm& form = f.Start();
    QVERIFY(f.Driver.Messages.isEmpty());
    const TWorkspaceModel& model = form.Model();
    QCOMPARE(model.rowCount(), 2);
    const QModelIndex cm1 = model.index(0, 0);
    const QModelIndex ce1 = model.index(1, 0);
    QCOMPARE(cm1.data().toString(), QStringLiteral("CM1"));
    QCOMPARE(ce1.data().toString(), QStringLiteral("CE1"));
    QCOMPARE(model.index(0, 0, cm1).data().toString(), QStringLiteral("Untel Jean"));
    QCOMPARE(model.index(0, 0, ce1).data().toString(), QStringLiteral("Zoé Aaa"));
    QCOMPARE(cm1.data(TWorkspaceModel::ImageIndexRole).toInt(), 0);
    QCOMPARE(cm1.data(TWorkspaceModel::SelectedIndexRole).toInt(), 1);
    QCOMPARE(model.index(0, 0, cm1).data(TWorkspaceModel::ImageIndexRole).toInt(), 4);
    QCOMPARE(model.index(0, 0, ce1).data(TWorkspaceModel::SelectedIndexRole).toInt(), 7);
    // Nothing is selected nor expanded by the load.
    auto* tree = f.Find<QTreeView>("Tree");
    QVERIFY(!form.SelectedNode().isValid());
    QVERIFY(!tree->isExpanded(cm1));
    QVERIFY(tree->hasFocus());
}

void TestMainFormLifecycle::cancelWritesNothing() {
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    TMainForm& form = f.Start();
    const QByteArray settings = f.ReadFile(QStringLiteral("quillorin.ini"));
    QFile::remove(f.Path(QStringLiteral("tree.dat")));
    form.Model().SetNodeText(form.Model().index(0, 0), QStringLiteral("changé"));
    QVERIFY(!f.Quit(QStringLiteral("CancelBtn")));
    QVERIFY(form.isVisible());
    QVERIFY(!QFile::exists(f.Path(QStringLiteral("tree.dat"))));
    QCOMPARE(f.ReadFile(QStringLiteral("quillorin.ini")), settings);
    QCOMPARE(form.Model().index(0, 0).data().toString(), QStringLiteral("changé"));
    QVERIFY(f.Driver.Messages.isEmpty());
}

void TestMainFormLifecycle::okWritesBothFiles() {
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    f.Start();
    QFile::remove(f.Path(QStringLiteral("quillorin.ini")));
    QVERIFY(f.Quit(QStringLiteral("OkBtn")));
    QVERIFY(!f.Form->isVisible());
    QCOMPARE(f.ReadFile(QStringLiteral("tree.dat")), ExampleWorkspace());
    QVERIFY(f.ReadFile(QStringLiteral("quillorin.ini"))
                .endsWith(
                    FileOf({QStringLiteral("Col4=? = indéterminé"), QStringLiteral("Col5=note")})));
}

void TestMainFormLifecycle::emptyTreeWritesAHeaderOnly() {
    TMainFormFixture f;
    f.Start();
    QCOMPARE(f.Driver.Messages.size(), 1);
    QVERIFY(f.Quit(QStringLiteral("OkBtn")));
    QCOMPARE(f.ReadFile(QStringLiteral("tree.dat")),
             QByteArray("Quillorin v1.0 BETA\r\nFile created on : "
                        "06/12/2026\r\n\r\nNbClasses=0\r\nNbPupils=0\r\n"));
}

void TestMainFormLifecycle::writeFailureKeepsTheWindowAndTheData() {
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    TMainForm& form = f.Start();
    form.SelectNode(form.Model().index(0, 0, form.Model().index(0, 0)));
    // A folder where the file should be: it cannot be replaced.
    QFile::remove(f.Path(QStringLiteral("tree.dat")));
    QVERIFY(QDir(f.Folder.path()).mkdir(QStringLiteral("tree.dat")));
    const QByteArray settings = f.ReadFile(QStringLiteral("quillorin.ini"));
    QVERIFY(!f.Quit(QStringLiteral("OkBtn")));
    // The dated copy of what stands there fails first, and is said; then the
    // save itself.
    QCOMPARE(f.Driver.Messages.size(), 2);
    QVERIFY(f.Driver.Messages.front().startsWith(QStringLiteral("La copie datée de ")));
    QCOMPARE(f.Driver.Messages.back(), QStringLiteral("Impossible de créer le fichier ") +
                                           f.Path(QStringLiteral("tree.dat")));
    QVERIFY(form.isVisible());
    QCOMPARE(f.ReadFile(QStringLiteral("quillorin.ini")), settings);
    QVERIFY(form.SelectedData());
    QCOMPARE(form.SelectedData()->Surname(), QStringLiteral("Untel"));
    // Once the way is clear, quitting again saves everything.
    QVERIFY(QDir(f.Folder.path()).rmdir(QStringLiteral("tree.dat")));
    QVERIFY(f.Quit(QStringLiteral("OkBtn")));
    QCOMPARE(f.ReadFile(QStringLiteral("tree.dat")), ExampleWorkspace());
}

void TestMainFormLifecycle::damagedWorkspaceIsKeptBeforeBeingOverwritten() {
    TMainFormFixture f;
    const QByteArray damaged = ExampleWorkspace() + FileOf({QString(), QStringLiteral("[Pupil]"),
                                                            QStringLiteral("Surname=Coupé")});
    f.WriteFile(QStringLiteral("tree.dat"), damaged);
    TMainForm& form = f.Start();
    QCOMPARE(f.Driver.Messages, QStringList{QStringLiteral("Indice de liste hors limites (10)")});
    QCOMPARE(form.Model().rowCount(form.Model().index(0, 0)), 1);
    QVERIFY(f.Quit(QStringLiteral("OkBtn")));
    const QString copy = f.Path(QStringLiteral("tree.copie-1.dat"));
    QCOMPARE(
        f.Driver.Messages.last(),
        QStringLiteral(
            "Le fichier '%1' n'avait pas pu être lu en entier.\nUne copie de son contenu d'origine "
            "est gardée dans '%2'.")
            .arg(f.Path(QStringLiteral("tree.dat")), copy));
    QCOMPARE(ReadWholeFile(copy).value_or(QByteArray()), damaged);
    QCOMPARE(f.ReadFile(QStringLiteral("tree.dat")), ExampleWorkspace());
}

void TestMainFormLifecycle::fileWithLineEndsConvertedTwiceIsKept() {
    TMainFormFixture f;
    const QByteArray converted = ExampleWorkspace().replace("\r\n", "\r\r\n");
    f.WriteFile(QStringLiteral("tree.dat"), converted);
    f.Start();
    QVERIFY(f.Quit(QStringLiteral("OkBtn")));
    const QString copy = f.Path(QStringLiteral("tree.copie-1.dat"));
    QCOMPARE(f.Driver.Messages.filter(QStringLiteral("n'avait pas pu être lu en entier")).size(),
             1);
    QVERIFY(f.Driver.Messages.last().endsWith(copy + QStringLiteral("'.")));
    QCOMPARE(ReadWholeFile(copy).value_or(QByteArray()), converted);
}

void TestMainFormLifecycle::secondProgramOnTheFolderEndsWithoutWriting() {
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    TMainForm& first = f.Start();
    const QByteArray settings = f.ReadFile(QStringLiteral("quillorin.ini"));
    {
        TMainForm second(TMainFormFixture::Environment(f.Folder.path(), QLocale(QLocale::French)));
        QVERIFY(second.OpenedElsewhere());
        QCOMPARE(f.Driver.Messages.size(), 1);
        QVERIFY(f.Driver.Messages[0].contains(QStringLiteral("déjà ouverts dans un autre")));
        second.ShowAtStart();
        QVERIFY(!second.isVisible());
        QVERIFY(second.close());
    }
    QCOMPARE(f.ReadFile(QStringLiteral("tree.dat")), ExampleWorkspace());
    QCOMPARE(f.ReadFile(QStringLiteral("quillorin.ini")), settings);
    // The first one still has the workspace and saves it.
    first.Model()
        .NodeAt(first.Model().index(0, 0, first.Model().index(0, 0)))
        ->Data->SetName(QStringLiteral("Paul"));
    QVERIFY(f.Quit(QStringLiteral("OkBtn")));
    QVERIFY(f.ReadFile(QStringLiteral("tree.dat")).contains("Name=Paul"));
}

void TestMainFormLifecycle::lockOfACrashedProgramIsTakenOver() {
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    // A process number no process has: its program ended without unlocking.
    f.WriteFile(QStringLiteral("tree.lock"), QByteArray("2147483000\nquillorin\n") +
                                                 QSysInfo::machineHostName().toUtf8() + "\n");
    TMainForm& form = f.Start();
    QVERIFY(!form.OpenedElsewhere());
    QVERIFY(f.Driver.Messages.isEmpty());
    QVERIFY(f.Quit(QStringLiteral("OkBtn")));
}

void TestMainFormLifecycle::statusPanelZeroFollowsTheWidth() {
    TMainFormFixture f;
    TMainForm& form = f.Start();
    auto* bar = f.Find<TStatusBar>("StatusBar");
    QCOMPARE(bar->PanelText(0), QStringLiteral("Version " QUILLORIN_VERSION_TEXT));
    const int before = bar->PanelWidth(0);
    QCOMPARE(before, form.width() - 350);
    form.resize(form.width() + 100, form.height());
    QTRY_COMPARE(bar->PanelWidth(0), before + 100);
    QCOMPARE(bar->PanelWidth(1), 150);
    QCOMPARE(bar->PanelWidth(2), 100);
    QCOMPARE(bar->PanelWidth(3), 100);
}

void TestMainFormLifecycle::helpTopicsShowAndCloseAtQuit() {
    TMainFormFixture f;
    QVERIFY(
        QFile::copy(QStringLiteral(QUILLORIN_HELP_FILE), f.Path(QStringLiteral("quillorin.chm"))));
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    f.Start();
    auto viewers = [] {
        QList<THelpViewer*> shown;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* viewer = qobject_cast<THelpViewer*>(window); viewer && viewer->isVisible())
                shown << viewer;
        }
        return shown;
    };
    f.Find<QAction>("HelpContents")->trigger();
    QTRY_COMPARE(viewers().size(), 1);
    f.Find<QAction>("HelpAbout")->trigger();
    QCOMPARE(viewers().size(), 1);
    QCOMPARE(f.Driver.Messages, QStringList());
    QVERIFY(f.Quit(QStringLiteral("OkBtn")));
    QTRY_COMPARE(viewers().size(), 0);
}

QTEST_MAIN(TestMainFormLifecycle)
#include "tst_mainform_lifecycle.moc"
