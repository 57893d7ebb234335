#include "MainFormFixture.h"

#include "app/BackupsDlg.h"
#include "data/WorkspaceReader.h"
#include "data/WorkspaceWriter.h"
#include "subjects/ModifyDlg.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceDocument.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>

#include <csignal>
#include <cstdio>

namespace {

const QString kQuestion =
    QStringLiteral("Quillorin ne s'est pas fermé normalement. Les modifications faites depuis le "
                   "dernier enregistrement peuvent être récupérées. Les récupérer ?");

TRegionalSettings French() {
    return TRegionalSettings::FromLocale(QLocale(QLocale::French, QLocale::France));
}

// The records as the workspace file holds them.
QByteArray Encoded(const TMainForm& form) {
    return EncodeWorkspace(form.Model().Tree(), French(), QDate(2026, 12, 6));
}

QModelIndex Node(const TMainForm& form, int schoolClass, int pupil = -1) {
    const QModelIndex node = form.Model().index(schoolClass, 0);
    return pupil < 0 ? node : form.Model().index(pupil, 0, node);
}

void ClickGrid(TEditGrid* grid, int column, int row) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(row - 1, column)).center());
}

void Type(QWidget* widget, const QString& text) {
    widget->setFocus();
    QTest::keyClicks(widget, text);
}

// One kind of edit, made through the window's own controls and commands as
// the teacher makes it.
void MakeEdit(TMainFormFixture& f, const QString& kind) {
    TMainForm& form = *f.Form;
    auto* grid = f.Find<TEditGrid>("Grid");
    form.SelectNode(Node(form, 0, 0));
    if (kind == u"level") {
        ClickGrid(grid, 3, 2);
    } else if (kind == u"mark") {
        ClickGrid(grid, grid->EditCol(), 3);
        auto* cell = grid->findChild<QLineEdit*>(QStringLiteral("InplaceEdit"));
        cell->selectAll();
        QTest::keyClicks(cell, QStringLiteral("9,5"));
        QTest::keyClick(cell, Qt::Key_Up);
    } else if (kind == u"sheet field") {
        Type(f.Find<QWidget>("SurnameEdt"), QStringLiteral("-Roux"));
    } else if (kind == u"remarks") {
        auto* memo = f.Find<QPlainTextEdit>("RemarksMemo");
        memo->setFocus();
        memo->moveCursor(QTextCursor::End);
        QTest::keyClick(memo, Qt::Key_Return);
        Type(memo, QStringLiteral("A revoir."));
    } else if (kind == u"new pupil") {
        f.Driver.Scripted << TModalDriver::Typing(
            {{"SurnameEdt", QStringLiteral("Neuf")}, {"NameEdt", QStringLiteral("anne")}},
            QStringLiteral("OkBtn"));
        f.Find<QAction>("FileNewPupil")->trigger();
    } else if (kind == u"deletion") {
        f.Driver.Answers << QStringLiteral("OkBtn");
        f.Find<QAction>("FileDelete")->trigger();
    } else if (kind == u"subject edit") {
        form.SelectNode(Node(form, 0));
        f.Driver.Next<TModifyDlg>([](TModifyDlg& dialog) {
            dialog.SetMemoLines({QStringLiteral("Mathématiques"), QStringLiteral("Histoire")});
            dialog.findChild<QPushButton*>(QStringLiteral("AddAllBtn"))->click();
            dialog.findChild<QPushButton*>(QStringLiteral("OkBtn"))->click();
        });
        f.Find<QAction>("FileModifyMatters")->trigger();
    } else if (kind == u"import") {
        f.WriteFile(QStringLiteral("liste.csv"), "Nom;Prénom\nDurand;Léa\nPetit;Tom\n");
        f.Driver.Answers << QStringLiteral("OkBtn");
        f.Find<QAction>("FileImportPupils")->trigger();
    }
    f.Find<QTreeView>("Tree")->setFocus();
}

// The child: the real window on the test's folder; it makes the edit,
// writes the records it then holds to "expected.dat" (not through the
// recovery file), says "ready" and works on until it is killed.
int RunChild(const QString& folder, const QString& kind) {
    TMainFormFixture f;
    f.ChooseOpenFile = [folder](QWidget*, const QString&, const QString&) {
        return QDir(folder).filePath(QStringLiteral("liste.csv"));
    };
    f.Dir = folder;
    f.Start();
    QApplication::setActiveWindow(f.Form.get());
    if (!QTest::qWaitForWindowActive(f.Form.get()))
        return 2;
    const QByteArray before = Encoded(*f.Form);
    MakeEdit(f, kind);
    const QByteArray after = Encoded(*f.Form);
    // The subject editor's question before it resets evaluations is no
    // complaint; any other message is.
    const bool complained =
        std::any_of(f.Driver.Messages.begin(), f.Driver.Messages.end(), [](const QString& text) {
            return !text.endsWith(QStringLiteral("Continuer ?"));
        });
    if (after == before || complained)
        return 3;
    f.WriteFile(QStringLiteral("expected.dat"), after);
    std::puts("ready");
    std::fflush(stdout);
    return QApplication::exec();
}

// A workspace other than the example: two classes, three pupils.
QByteArray OtherWorkspace() {
    TWorkspace tree;
    LoadWorkspaceFromBytes(ExampleWorkspace(), tree, French(), [](const QString&) {});
    QByteArray bytes = EncodeWorkspace(tree, French(), QDate(2026, 12, 6));
    bytes += FileOf({QString(),
                     QStringLiteral("[Class]"),
                     QStringLiteral("ClassName=CE2"),
                     QStringLiteral("Matters=Chant|"),
                     QString(),
                     QStringLiteral("[Pupil]"),
                     QStringLiteral("Surname=Petit"),
                     QStringLiteral("Name=Tom"),
                     QStringLiteral("BirthDay="),
                     QStringLiteral("Class=CE2"),
                     QStringLiteral("Sexe=Garçon"),
                     QStringLiteral("Levels=3:-1|"),
                     QStringLiteral("Remarks="),
                     QString(),
                     QStringLiteral("[Pupil]"),
                     QStringLiteral("Surname=Gros"),
                     QStringLiteral("Name=Léa"),
                     QStringLiteral("BirthDay="),
                     QStringLiteral("Class=CE2"),
                     QStringLiteral("Sexe=Fille"),
                     QStringLiteral("Levels=1:-1|"),
                     QStringLiteral("Remarks=")});
    return bytes.replace("NbClasses=1", "NbClasses=2").replace("NbPupils=1", "NbPupils=3");
}

} // namespace

class TestMainFormRecovery : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void killedProgramsWorkComesBack_data();
    void killedProgramsWorkComesBack();
    void declinedRecoveryIsKeptAside();
    void saveKeepsTheWindowAndFollowsTheHistory();
    void restoredCopyIsOneStep();
};

void TestMainFormRecovery::killedProgramsWorkComesBack_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("signal");
    for (const char* kind : {"level", "mark", "sheet field", "remarks", "new pupil", "deletion",
                             "subject edit", "import"})
        QTest::newRow(kind) << QString::fromLatin1(kind) << SIGKILL;
    // Told to end, the program completes the file before it goes.
    QTest::newRow("remarks, SIGTERM") << QStringLiteral("remarks") << SIGTERM;
}

void TestMainFormRecovery::killedProgramsWorkComesBack() {
    QFETCH(QString, kind);
    QFETCH(int, signal);
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    f.WriteSettings();
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child"), f.Folder.path(), kind});
    QVERIFY(child.waitForStarted());
    while (!child.canReadLine()) {
        if (!child.waitForReadyRead(60000))
            QFAIL(qPrintable(
                QStringLiteral("the child ended (%1) or never got ready").arg(child.exitCode())));
    }
    QCOMPARE(child.readLine().trimmed(), QByteArray("ready"));
    // A kill loses at most the last two seconds of work; SIGTERM none.
    if (signal == SIGKILL)
        QTest::qWait(2000);
    ::kill(pid_t(child.processId()), signal);
    QVERIFY(child.waitForFinished(20000));
    if (signal == SIGTERM)
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    const QByteArray expected = f.ReadFile(QStringLiteral("expected.dat"));

    TMainForm& form = f.Start();
    QCOMPARE(f.Driver.Messages, QStringList{kQuestion});
    QCOMPARE(Encoded(form), expected);
    QVERIFY(form.isWindowModified());
    QCOMPARE(form.SelectedNode(), Node(form, 0));
    // Undone, the recovered work gives back the saved file's state.
    form.Editor().Undo();
    QCOMPARE(Encoded(form), ExampleWorkspace());
    QVERIFY(!form.isWindowModified());
    form.Editor().Redo();
    QVERIFY(f.Quit(QStringLiteral("OkBtn")));
    QCOMPARE(f.ReadFile(QStringLiteral("tree.dat")), expected);
    QVERIFY(!QFile::exists(f.Path(QStringLiteral("tree.recup"))));
}

void TestMainFormRecovery::declinedRecoveryIsKeptAside() {
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    f.WriteFile(QStringLiteral("tree.recup"), OtherWorkspace());
    f.Driver.BoxAnswers << QStringLiteral("Non");
    TMainForm& form = f.Start();
    QCOMPARE(f.Driver.Messages.size(), 2);
    QCOMPARE(f.Driver.Messages[0], kQuestion);
    const QString said = f.Driver.Messages[1];
    const qsizetype start = said.indexOf(u'\'') + 1;
    const QString aside =
        QDir::fromNativeSeparators(said.mid(start, said.lastIndexOf(u'\'') - start));
    QVERIFY2(aside.startsWith(f.Path(QStringLiteral("tree.recup-"))), qPrintable(said));
    QCOMPARE(f.ReadFile(QFileInfo(aside).fileName()), OtherWorkspace());
    QVERIFY(!QFile::exists(f.Path(QStringLiteral("tree.recup"))));
    QCOMPARE(Encoded(form), ExampleWorkspace());
    QVERIFY(!form.isWindowModified());
}

void TestMainFormRecovery::saveKeepsTheWindowAndFollowsTheHistory() {
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    TMainForm& form = f.Start();
    QCOMPARE(form.windowTitle(), QStringLiteral("Quillorin[*]"));
    QVERIFY(!form.isWindowModified());
    MakeEdit(f, QStringLiteral("sheet field"));
    QVERIFY(form.isWindowModified());
    const QByteArray edited = Encoded(form);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(f.Path(QStringLiteral("tree.recup"))), 5000);

    auto* save = f.Find<QAction>("FileSave");
    QCOMPARE(save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    save->trigger();
    QVERIFY(f.Driver.Messages.isEmpty());
    QVERIFY(form.isVisible());
    QVERIFY(!form.isWindowModified());
    QCOMPARE(f.ReadFile(QStringLiteral("tree.dat")), edited);
    QCOMPARE(f.ReadFile(QStringLiteral("sauvegardes/tree-2026-12-06.dat")), ExampleWorkspace());
    QTRY_VERIFY(!QFile::exists(f.Path(QStringLiteral("tree.recup"))));
    // The marker follows the history: away from the saved state and back.
    form.Editor().Undo();
    QVERIFY(form.isWindowModified());
    form.Editor().Redo();
    QVERIFY(!form.isWindowModified());
}

void TestMainFormRecovery::restoredCopyIsOneStep() {
    TMainFormFixture f;
    f.WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    QDir(f.Folder.path()).mkdir(QStringLiteral("sauvegardes"));
    f.WriteFile(QStringLiteral("sauvegardes/tree-2026-11-30.dat"), ExampleWorkspace());
    f.WriteFile(QStringLiteral("sauvegardes/tree-2026-12-02.dat"), OtherWorkspace());
    TMainForm& form = f.Start();
    QStringList rows;
    f.Driver.Next<TBackupsDlg>([&](TBackupsDlg& dialog) {
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("BackupsList"));
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            const QTreeWidgetItem* item = list->topLevelItem(row);
            rows << item->text(0) + u'|' + item->text(1) + u'|' + item->text(2);
        }
        dialog.findChild<QPushButton*>(QStringLiteral("RestoreBtn"))->click();
    });
    f.Driver.BoxAnswers << QStringLiteral("Oui");
    f.Find<QAction>("FileBackups")->trigger();
    QCOMPARE(rows, (QStringList{QStringLiteral("mercredi 2 décembre 2026|2|3"),
                                QStringLiteral("lundi 30 novembre 2026|1|1")}));
    QCOMPARE(f.Driver.Messages.size(), 1);
    QCOMPARE(Encoded(form), OtherWorkspace());
    QVERIFY(form.isWindowModified());
    QCOMPARE(form.SelectedNode(), Node(form, 0));
    form.Editor().Undo();
    QCOMPARE(Encoded(form), ExampleWorkspace());
    QVERIFY(!form.isWindowModified());
}

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0)
        return RunChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    TestMainFormRecovery test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainform_recovery.moc"
