#include "MainFormFixture.h"

#include "app/StatisticsForm.h"
#include "data/Cp1252.h"
#include "data/PupilList.h"
#include "widgets/EditGrid.h"
#include "widgets/StatisticsChart.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

// The pupil import and the statistics window, driven through the main window.
class TestMainFormImport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void importAddsTheListAfterThePreview();
    void previewColumnsChosenAndRemembered();
    void cancelledPreviewChangesNothing();
    void unusableFilesAreRefused_data();
    void unusableFilesAreRefused();
    void statisticsFollowTheRecords();
    void statisticsAreSaved();

private:
    QModelIndex ClassIndex() const { return F->Form->Model().index(0, 0); }
    void Import() { F->Find<QAction>("FileImportPupils")->trigger(); }

    std::unique_ptr<TMainFormFixture> F;
    QString FChosen;
};

void TestMainFormImport::init() {
    F = std::make_unique<TMainFormFixture>();
    F->WriteFile(QStringLiteral("tree.dat"), ExampleWorkspace());
    F->ChooseOpenFile = [this](QWidget*, const QString&, const QString&) {
        return FChosen;
    };
    F->ChooseSaveFile = F->ChooseOpenFile;
    F->Start();
    FChosen = F->Path(QStringLiteral("liste.csv"));
}

void TestMainFormImport::cleanup() {
    F.reset();
}

void TestMainFormImport::importAddsTheListAfterThePreview() {
    const QByteArray original = F->ReadFile(QStringLiteral("tree.dat"));
    // Windows-1252, tab-separated, as an administration export would be;
    // the first row is the pupil already in the class.
    F->WriteFile(QStringLiteral("liste.csv"), Cp1252::Encode(u"NOM\tPRENOM\tNE(E) LE\tSEXE\r\n"
                                                             "UNTEL\tJean\t12 mars 1995\tM\r\n"
                                                             "DUPONT\tzoé\t03/05/2016\tF\r\n"
                                                             "\tSans nom\t\t\r\n"
                                                             "MARTIN\tpaul\t\tG\r\n"_qs));
    // Selecting the pupil imports into its class.
    F->Form->SelectNode(F->Form->Model().index(0, 0, ClassIndex()));
    F->Driver.Answers << QStringLiteral("OkBtn");
    Import();

    const TClassNode& schoolClass = *F->Form->Model().ClassAt(ClassIndex());
    QCOMPARE(schoolClass.Pupils.size(), std::size_t(3));
    const TNode& zoe = *schoolClass.Pupils[1];
    QCOMPARE(zoe.Text, QStringLiteral("Dupont Zoé"));
    QCOMPARE(zoe.Data->Surname(), QStringLiteral("Dupont"));
    QCOMPARE(zoe.Data->BirthDay(), QStringLiteral("03/05/2016"));
    QCOMPARE(zoe.Data->Sexe(), QStringLiteral("Fille"));
    QCOMPARE(zoe.Data->ClassName(), QStringLiteral("CM1"));
    QCOMPARE(zoe.Data->LevelCount(), 4);
    QCOMPARE(zoe.Data->GetLevel(3), DefaultLevel);
    QCOMPARE(zoe.Data->GetMark(3), NoMark);
    QCOMPARE(std::make_pair(zoe.ImageIndex, zoe.SelectedIndex), NodeImages(*zoe.Data));
    QCOMPARE(schoolClass.Pupils[2]->Text, QStringLiteral("Martin Paul"));
    QCOMPARE(schoolClass.Pupils[2]->Data->Sexe(), QStringLiteral("Garçon"));
    QCOMPARE(F->Form->SelectedData(), zoe.Data.get());
    QVERIFY(F->Driver.Messages.isEmpty());

    // Saved with the others at quit; the file replaced is kept, dated.
    QVERIFY(F->Quit(QStringLiteral("OkBtn")));
    const QByteArray saved = F->ReadFile(QStringLiteral("tree.dat"));
    QVERIFY(saved.contains(Cp1252::Encode(u"Surname=Dupont\r\nName=Zoé"_qs)));
    QCOMPARE(F->ReadFile(QStringLiteral("sauvegardes/tree-2026-12-06.dat")), original);
}

void TestMainFormImport::previewColumnsChosenAndRemembered() {
    // A title row, a whole-name column, and two columns the program cannot
    // name: the user chooses them in the preview.
    F->WriteFile(QStringLiteral("liste.csv"), u"Liste de la classe\r\n"
                                              "Identité;Prénom usuel;Jour;Code\r\n"
                                              "DUPONT;jean;03/05/16;1\r\n"
                                              "WAŁĘSA;Łukasz;2016-11-12;2\r\n"
                                              "MARTIN;Léa;hier;9\r\n"_qs.toUtf8());
    F->Form->SelectNode(ClassIndex());
    auto combo = [](QWidget& dialog, const char* name) {
        return dialog.findChild<QComboBox*>(QString::fromLatin1(name));
    };
    F->Driver.Scripted << TModalDriver::TAnswer{
        [&combo](QWidget& dialog) {
            QCOMPARE(combo(dialog, "SurnameColumnCombo")->currentText(), u"Identité"_qs);
            QCOMPARE(combo(dialog, "NameColumnCombo")->currentText(), u"Prénom usuel"_qs);
            QCOMPARE(combo(dialog, "BirthDayColumnCombo")->currentText(), u"(aucune)"_qs);
            auto* added = dialog.findChild<QTreeWidget*>(QStringLiteral("AddedList"));
            QCOMPARE(added->topLevelItemCount(), 3);
            QCOMPARE(added->topLevelItem(0)->text(2), QString());
            // Each choice redraws the list at once.
            combo(dialog, "BirthDayColumnCombo")->setCurrentText(u"Jour"_qs);
            QCOMPARE(added->topLevelItem(0)->text(2), u"03/05/2016"_qs);
            combo(dialog, "SexeColumnCombo")->setCurrentText(u"Code"_qs);
            QCOMPARE(added->topLevelItem(1)->text(3), u"Fille"_qs);
            QCOMPARE(added->topLevelItem(1)->text(0), u"Walesa"_qs);
            QVERIFY(added->topLevelItem(1)->text(4).contains(u"WAŁĘSA Łukasz"_qs));
            QVERIFY(added->topLevelItem(2)->text(4).contains(u"date illisible"_qs));
            const QString notice = dialog.findChild<QLabel*>(QStringLiteral("NoticeLbl"))->text();
            QVERIFY2(notice.contains(u"1 nom contient"_qs), qPrintable(notice));
            QVERIFY2(notice.contains(u"1 élève sans sexe reconnu"_qs), qPrintable(notice));
        },
        QStringLiteral("OkBtn")};
    Import();
    const TClassNode& schoolClass = *F->Form->Model().ClassAt(ClassIndex());
    QCOMPARE(schoolClass.Pupils.size(), std::size_t(4));
    QStringList imported;
    for (std::size_t i = 1; i < schoolClass.Pupils.size(); ++i) {
        const TPData& pupil = *schoolClass.Pupils[i]->Data;
        imported << QStringList{pupil.Surname(), pupil.Name(), pupil.BirthDay(), pupil.Sexe()}.join(
            u'|');
    }
    QCOMPARE(imported,
             (QStringList{u"Dupont|Jean|03/05/2016|Garçon"_qs, u"Walesa|Lukasz|12/11/2016|Fille"_qs,
                          u"Martin|Léa|hier|Je ne sais pas"_qs}));

    // The same headers again: the columns chosen come back.
    QString remembered;
    F->Driver.Scripted << TModalDriver::TAnswer{
        [&](QWidget& dialog) { remembered = combo(dialog, "BirthDayColumnCombo")->currentText(); },
        QStringLiteral("CancelBtn")};
    Import();
    QCOMPARE(remembered, u"Jour"_qs);
    QVERIFY(F->Driver.Messages.isEmpty());
    QVERIFY(F->Quit(QStringLiteral("OkBtn")));
    QVERIFY(F->ReadFile(QStringLiteral("quillorin.ini")).contains("ImportColumns1="));
}

void TestMainFormImport::cancelledPreviewChangesNothing() {
    F->WriteFile(QStringLiteral("liste.csv"), "Nom;Prénom\nDurand;Léa\n");
    F->Form->SelectNode(ClassIndex());
    F->Driver.Answers << QStringLiteral("CancelBtn");
    Import();
    QCOMPARE(F->Form->Model().rowCount(ClassIndex()), 1);
    // A cancelled file dialog does not even read.
    FChosen.clear();
    Import();
    QCOMPARE(F->Form->Model().rowCount(ClassIndex()), 1);
    QVERIFY(F->Driver.Messages.isEmpty());
}

void TestMainFormImport::unusableFilesAreRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QByteArray("\r\n\r\n") << QStringLiteral("aucune ligne");
    QTest::newRow("too large") << QByteArray(MaxPupilListBytes + 1, 'x')
                               << QStringLiteral("trop grand");
    QTest::newRow("missing") << QByteArray() << QStringLiteral("Impossible d'ouvrir le fichier");
}

void TestMainFormImport::unusableFilesAreRefused() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    if (!bytes.isEmpty())
        F->WriteFile(QStringLiteral("liste.csv"), bytes);
    F->Form->SelectNode(ClassIndex());
    Import();
    QCOMPARE(F->Driver.Messages.size(), 1);
    QVERIFY2(F->Driver.Messages[0].contains(message), qPrintable(F->Driver.Messages[0]));
    QCOMPARE(F->Form->Model().rowCount(ClassIndex()), 1);
}

void TestMainFormImport::statisticsFollowTheRecords() {
    F->Form->SelectNode(F->Form->Model().index(0, 0, ClassIndex()));
    F->Find<QAction>("FileStatistics")->trigger();
    TStatisticsForm* window = F->Form->StatisticsWindow();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Statistiques de la classe - CM1"));
    auto reading = [window] {
        return window->Chart().Subjects()[1];
    };
    QCOMPARE(reading().LevelCounts, (std::array<int, 4>{1, 0, 0, 0}));
    QCOMPARE(reading().Average, 15.5);

    // A level clicked in the grid shows at once.
    auto* grid = F->Find<TEditGrid>("Grid");
    Q_EMIT grid->OnModifyCheck(grid, 2, 3);
    QCOMPARE(reading().LevelCounts, (std::array<int, 4>{0, 0, 1, 0}));
    // So does a new pupil.
    std::vector<std::unique_ptr<TNode>> pupils;
    pupils.push_back(std::make_unique<TNode>());
    pupils.back()->Data = std::make_unique<TPData>(TDataType::dtPupil);
    pupils.back()->Data->SetLevelCount(4);
    F->Form->Editor().AddPupils(ClassIndex(), std::move(pupils));
    QCOMPARE(reading().LevelTotal(), 2);
    QCOMPARE(reading().LevelCounts[3], 1);
    // The class deleted, its window goes.
    F->Form->Editor().Remove(ClassIndex());
    QTRY_VERIFY(!F->Form->StatisticsWindow());
}

void TestMainFormImport::statisticsAreSaved() {
    F->Form->SelectNode(ClassIndex());
    F->Find<QAction>("FileStatistics")->trigger();
    TStatisticsForm* window = F->Form->StatisticsWindow();
    QVERIFY(window);
    FChosen = F->Path(QStringLiteral("classe"));
    window->SaveExecute();
    const QImage image(F->Path(QStringLiteral("classe.png")));
    QCOMPARE(image.height(), window->Chart().ChartHeight());
    FChosen = F->Path(QStringLiteral("classe.pdf"));
    window->SaveExecute();
    QVERIFY(F->ReadFile(QStringLiteral("classe.pdf")).startsWith("%PDF"));
    QVERIFY(F->Driver.Messages.isEmpty());
    FChosen = F->Path(QStringLiteral("absent/classe.png"));
    window->SaveExecute();
    QCOMPARE(F->Driver.Messages.size(), 1);
    QVERIFY(F->Driver.Messages[0].startsWith(QStringLiteral("Impossible de créer le fichier")));
}

QTEST_MAIN(TestMainFormImport)
#include "tst_mainform_import.moc"
