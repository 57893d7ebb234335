#include "MainFormFixture.h"

#include "app/RemarksBankDlg.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QInputDialog>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace {

// CM1: one heading and two subjects; Léa (a girl) and Sam (sex not known).
QByteArray RemarksWorkspace() {
    QStringList lines = {QStringLiteral("[Class]"), QStringLiteral("ClassName=CM1"),
                         QStringLiteral("Matters=$Français|_Lecture|Calcul|")};
    for (const auto& [surname, name, sexe] :
         {std::tuple{"Durand", "Léa", "Fille"}, std::tuple{"Petit", "Sam", "Je ne sais pas"}})
        lines << QStringLiteral("[Pupil]")
              << QStringLiteral("Surname=") + QString::fromUtf8(surname)
              << QStringLiteral("Name=") + QString::fromUtf8(name) << QStringLiteral("BirthDay=")
              << QStringLiteral("Class=CM1") << QStringLiteral("Sexe=") + QString::fromUtf8(sexe)
              << QStringLiteral("Levels=4:-1|1:12|2:-1|") << QStringLiteral("Remarks=Bien.|");
    return FileOf(lines);
}

const QByteArray kBank = "[Travail]\n{prénom} est {attentif/attentive}.\n[Progrès]\nDes progrès.\n";

} // namespace

class TestMainFormRemarks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void bankRemarkGoesInAgreed_data();
    void bankRemarkGoesInAgreed();
    void firstOpeningWritesTheBuiltInBank();
    void damagedBankIsKeptAsideAndSaidOnce();
    void bankEditsAreSaved();
    void commentIsAStepOfTheHistory();

private:
    QModelIndex Pupil(int row) const {
        return F->Form->Model().index(row, 0, F->Form->Model().index(0, 0));
    }
    // Opens the bank, searches and chooses what Return would insert.
    void InsertFromBank(const QString& search);

    std::unique_ptr<TMainFormFixture> F;
};

void TestMainFormRemarks::init() {
    F = std::make_unique<TMainFormFixture>();
    F->WriteFile(QStringLiteral("tree.dat"), RemarksWorkspace());
    F->Start();
}

void TestMainFormRemarks::cleanup() {
    F.reset();
}

void TestMainFormRemarks::InsertFromBank(const QString& search) {
    F->Driver.Scripted << TModalDriver::TAnswer{
        [search](QWidget& dialog) {
            auto& bank = static_cast<TRemarksBankDlg&>(dialog);
            bank.SearchFor(search);
            QTest::keyClick(dialog.findChild<QLineEdit*>(QStringLiteral("SearchEdt")),
                            Qt::Key_Return);
            // Nothing found: Return inserts nothing and the window stays.
            if (dialog.isVisible())
                dialog.close();
        },
        QString()};
    F->Form->EditRemarksBankExecute();
}

void TestMainFormRemarks::bankRemarkGoesInAgreed_data() {
    QTest::addColumn<int>("pupil");
    QTest::addColumn<QString>("remarks");
    QTest::newRow("girl") << 0 << u"Bien. Léa est attentive."_s;
    QTest::newRow("sex not known") << 1 << u"Bien. Sam est attentif·ve."_s;
}

// At the cursor, agreed with the pupil, one step of the history.
void TestMainFormRemarks::bankRemarkGoesInAgreed() {
    QFETCH(int, pupil);
    QFETCH(QString, remarks);
    F->WriteFile(QStringLiteral("appreciations.txt"), kBank);
    F->Form->SelectNode(Pupil(pupil));
    auto* memo = F->Find<QPlainTextEdit>("RemarksMemo");
    memo->moveCursor(QTextCursor::End);
    InsertFromBank(QStringLiteral("ATTENTIF"));
    QCOMPARE(memo->toPlainText(), remarks);
    QCOMPARE(F->Form->SelectedData()->Lines(), QStringList{remarks});
    F->Form->EditUndoExecute();
    QCOMPARE(F->Form->SelectedData()->Lines(), QStringList{QStringLiteral("Bien.")});
}

void TestMainFormRemarks::firstOpeningWritesTheBuiltInBank() {
    F->Form->SelectNode(Pupil(0));
    InsertFromBank(QStringLiteral("zzz no such remark"));
    const TBankRead read = ReadRemarksBank(F->ReadFile(QStringLiteral("appreciations.txt")));
    QVERIFY(!read.Damaged());
    QCOMPARE(read.Bank, BuiltInRemarksBank());
    QCOMPARE(F->Form->SelectedData()->Lines(), QStringList{QStringLiteral("Bien.")});
    QVERIFY(F->Driver.Messages.isEmpty());
}

void TestMainFormRemarks::damagedBankIsKeptAsideAndSaidOnce() {
    const QByteArray damaged = "[Travail]\nR\xE9ussi {pr\xE9nom}.\n";
    F->WriteFile(QStringLiteral("appreciations.txt"), damaged);
    F->Form->SelectNode(Pupil(0));
    F->Find<QPlainTextEdit>("RemarksMemo")->moveCursor(QTextCursor::End);
    InsertFromBank(QStringLiteral("reussi"));
    QCOMPARE(F->Find<QPlainTextEdit>("RemarksMemo")->toPlainText(),
             QStringLiteral("Bien. Réussi Léa."));
    QCOMPARE(F->Driver.Messages.size(), 1);
    QVERIFY(F->Driver.Messages[0].contains(QStringLiteral("appreciations.copie-1.txt")));
    QCOMPARE(F->ReadFile(QStringLiteral("appreciations.copie-1.txt")), damaged);
    QCOMPARE(F->ReadFile(QStringLiteral("appreciations.txt")),
             QByteArray("[Travail]\nRéussi {prénom}.\n"));
    InsertFromBank(QStringLiteral("reussi"));
    QCOMPARE(F->Driver.Messages.size(), 1);
}

// Added, moved between themes, deleted in the window; the file follows.
void TestMainFormRemarks::bankEditsAreSaved() {
    F->WriteFile(QStringLiteral("appreciations.txt"), kBank);
    F->Form->SelectNode(Pupil(0));
    F->Driver.Scripted << TModalDriver::TAnswer{
        [](QWidget& dialog) {
            auto& bank = static_cast<TRemarksBankDlg&>(dialog);
            bank.Select(0, 0);
            bank.MoveSelectedTo(1);
            QCOMPARE(bank.ShownLines(),
                     (QStringList{u"Travail"_s, u"Progrès"_s, u"  Des progrès."_s,
                                  u"  {prénom} est {attentif/attentive}."_s}));
            bank.Select(1, 0);
            bank.DeleteSelected();
            bank.SearchFor(QStringLiteral("progres"));
            QCOMPARE(bank.ShownLines(),
                     (QStringList{u"Progrès"_s, u"  {prénom} est {attentif/attentive}."_s}));
            dialog.close();
        },
        QString()};
    F->Form->EditRemarksBankExecute();
    QCOMPARE(F->ReadFile(QStringLiteral("appreciations.txt")),
             QByteArray("[Travail]\n\n[Progrès]\n{prénom} est {attentif/attentive}.\n"));
    QCOMPARE(F->Find<QPlainTextEdit>("RemarksMemo")->toPlainText(), QStringLiteral("Bien."));
}

// A comment typed through Shift+F2's dialog shows as the row's note, goes
// back with Undo, and is saved on its own line.
void TestMainFormRemarks::commentIsAStepOfTheHistory() {
    F->Form->SelectNode(Pupil(0));
    auto* grid = F->Find<TEditGrid>("Grid");
    F->Form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(F->Form.get()));
    grid->setFocus();
    // Grid row 3 (Calcul) is the model's row 2: the headers are row 0.
    grid->setCurrentIndex(grid->model()->index(2, 1));
    QString asked;
    F->Driver.Next<QInputDialog>([&asked](QInputDialog& dialog) {
        asked = dialog.labelText();
        dialog.setTextValue(QStringLiteral("revoir les tables de 7"));
        dialog.accept();
    });
    QTest::keyClick(grid, Qt::Key_F2, Qt::ShiftModifier);
    QCOMPARE(asked, QStringLiteral("Commentaire de Léa Durand en « Calcul » :"));
    QCOMPARE(F->Form->SelectedData()->GetComment(2), QStringLiteral("revoir les tables de 7"));
    QCOMPARE(grid->RowNote(3), QStringLiteral("revoir les tables de 7"));
    const QRect calcul = grid->visualRect(grid->model()->index(2, grid->EditCol()));
    QHelpEvent help(QEvent::ToolTip, calcul.center(),
                    grid->viewport()->mapToGlobal(calcul.center()));
    QCoreApplication::sendEvent(grid->viewport(), &help);
    QCOMPARE(QToolTip::text(), QStringLiteral("revoir les tables de 7"));

    F->Form->EditUndoExecute();
    QCOMPARE(F->Form->SelectedData()->GetComment(2), QString());
    QCOMPARE(grid->RowNote(3), QString());
    F->Form->EditRedoExecute();
    QCOMPARE(grid->RowNote(3), QStringLiteral("revoir les tables de 7"));

    QVERIFY(F->Quit(QStringLiteral("OkBtn")));
    QVERIFY(F->ReadFile(QStringLiteral("tree.dat"))
                .contains("Remarks=Bien.|\r\nComments=||revoir les tables de 7|\r\n"));
}

QTEST_MAIN(TestMainFormRemarks)
#include "tst_mainform_remarks.moc"
