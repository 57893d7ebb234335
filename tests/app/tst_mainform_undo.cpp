#include "MainFormFixture.h"

#include "app/StatusBar.h"
#include "data/WorkspaceWriter.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeView>

namespace {

// CM1: a heading and two subjects, two pupils; CE2: one subject, one pupil.
QByteArray UndoWorkspace() {
    QStringList lines = {QStringLiteral("[Class]"), QStringLiteral("ClassName=CM1"),
                         QStringLiteral("Matters=$Français|_Lecture|Calcul & co|")};
    const QStringList pupils[] = {
        {QStringLiteral("Martin"), QStringLiteral("Paul"), QStringLiteral("Garçon"),
         QStringLiteral("4:-1|1:12|3:-1|"), QStringLiteral("Bien.|")},
        {QStringLiteral("Durand"), QStringLiteral("Léa"), QStringLiteral("Fille"),
         QStringLiteral("4:-1|2:8,5|1:14|"), QString()}};
    for (const QStringList& pupil : pupils)
        lines << QStringLiteral("[Pupil]") << QStringLiteral("Surname=") + pupil[0]
              << QStringLiteral("Name=") + pupil[1] << QStringLiteral("BirthDay=1er mai")
              << QStringLiteral("Class=CM1") << QStringLiteral("Sexe=") + pupil[2]
              << QStringLiteral("Levels=") + pupil[3] << QStringLiteral("Remarks=") + pupil[4];
    lines << QStringLiteral("[Class]") << QStringLiteral("ClassName=CE2")
          << QStringLiteral("Matters=Chant|") << QStringLiteral("[Pupil]")
          << QStringLiteral("Surname=Petit") << QStringLiteral("Name=Tom") << QString()
          << QStringLiteral("Class=CE2") << QStringLiteral("Sexe=Garçon")
          << QStringLiteral("Levels=3:-1|") << QStringLiteral("Remarks=");
    return FileOf(lines);
}

enum class TKind {
    Level,
    Mark,
    Surname,
    BirthDay,
    Sexe,
    Remarks,
    NewClass,
    NewPupils,
    RemovePupil,
    RemoveLastPupil,
    RemoveClass,
    ReplaceRecords
};

std::unique_ptr<TNode> NewPupil(const QString& surname, const QString& name) {
    auto pupil = std::make_unique<TNode>();
    pupil->Data = std::make_unique<TPData>(TDataType::dtPupil);
    pupil->Data->SetSurname(surname);
    pupil->Data->SetName(name);
    pupil->Data->SetSexe(SexeValues()[1]);
    pupil->Data->SetLevelCount(3);
    pupil->Text = surname + u' ' + name;
    pupil->SetImages(NodeImages(*pupil->Data));
    return pupil;
}

} // namespace

Q_DECLARE_METATYPE(TKind)

class TestMainFormUndo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void eachStepUndoesAndRedoes_data();
    void eachStepUndoesAndRedoes();
    void captionsNameTheStep();
    void undoRefreshesTheWindow();
    void oneStepPerFieldEdit();
    void quittingKeepsTheHistory();
    void focusedEditKeepsItsShortcuts_data();
    void focusedEditKeepsItsShortcuts();

private:
    QAction* Undo() const { return F->Find<QAction>("EditUndo"); }
    QAction* Redo() const { return F->Find<QAction>("EditRedo"); }
    // The records as saved, and what the tree shows of each node.
    QByteArray Snapshot() const;
    void Make(TKind kind);
    void ClickGrid(int column, int row) const;
    void Type(const char* control, const QString& text) const;

    std::unique_ptr<TMainFormFixture> F;
    TMainForm* Form = nullptr;
};

void TestMainFormUndo::init() {
    F = std::make_unique<TMainFormFixture>();
    F->WriteFile(QStringLiteral("tree.dat"), UndoWorkspace());
    Form = &F->Start();
    QApplication::setActiveWindow(Form);
    QVERIFY(QTest::qWaitForWindowActive(Form));
    Form->SelectNode(F->Node(0, 0));
}

void TestMainFormUndo::cleanup() {
    F.reset();
}

QByteArray TestMainFormUndo::Snapshot() const {
    const TRegionalSettings french =
        TRegionalSettings::FromLocale(QLocale(QLocale::French, QLocale::France));
    QByteArray bytes = EncodeWorkspace(Form->Model().Tree(), french, QDate(2026, 12, 6));
    for (const auto& schoolClass : Form->Model().Tree().Classes) {
        std::vector<const TNode*> nodes = {schoolClass.get()};
        for (const auto& pupil : schoolClass->Pupils)
            nodes.push_back(pupil.get());
        for (const TNode* node : nodes)
            bytes += node->Text.toUtf8() + ' ' + QByteArray::number(node->ImageIndex) + ' ' +
                     QByteArray::number(node->SelectedIndex) + '\n';
    }
    return bytes;
}

void TestMainFormUndo::ClickGrid(int column, int row) const {
    auto* grid = F->Find<TEditGrid>("Grid");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(row - 1, column)).center());
}

void TestMainFormUndo::Type(const char* control, const QString& text) const {
    auto* widget = F->Find<QWidget>(control);
    widget->setFocus();
    QTest::keyClicks(widget, text);
    F->Find<QTreeView>("Tree")->setFocus();
}

void TestMainFormUndo::Make(TKind kind) {
    TWorkspaceEditor& editor = Form->Editor();
    switch (kind) {
    case TKind::Level:
        ClickGrid(3, 2);
        break;
    case TKind::Mark: {
        auto* grid = F->Find<TEditGrid>("Grid");
        ClickGrid(grid->EditCol(), 3);
        auto* cell = grid->findChild<QLineEdit*>(QStringLiteral("InplaceEdit"));
        QVERIFY(cell && cell->isVisible());
        cell->selectAll();
        QTest::keyClicks(cell, QStringLiteral("9,5"));
        QTest::keyClick(cell, Qt::Key_Up);
        break;
    }
    case TKind::Surname:
        Type("SurnameEdt", QStringLiteral("-ROUX"));
        break;
    case TKind::BirthDay:
        Type("BirthdayEdt", QStringLiteral(" 2017"));
        break;
    case TKind::Sexe: {
        auto* combo = F->Find<QComboBox>("SexeCombo");
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        break;
    }
    case TKind::Remarks: {
        auto* memo = F->Find<QPlainTextEdit>("RemarksMemo");
        memo->setFocus();
        memo->moveCursor(QTextCursor::End);
        QTest::keyClick(memo, Qt::Key_Return);
        Type("RemarksMemo", QStringLiteral("A revoir."));
        break;
    }
    case TKind::NewClass: {
        auto schoolClass = std::make_unique<TClassNode>();
        schoolClass->Text = QStringLiteral("CP");
        schoolClass->Data = std::make_unique<TPData>(TDataType::dtClass);
        schoolClass->Data->SetClassName(QStringLiteral("CP"));
        Form->SelectNode(editor.AddClass(std::move(schoolClass)));
        break;
    }
    case TKind::NewPupils: {
        std::vector<std::unique_ptr<TNode>> pupils;
        pupils.push_back(NewPupil(QStringLiteral("Neuf"), QStringLiteral("Anne")));
        pupils.push_back(NewPupil(QStringLiteral("Blanc"), QStringLiteral("Zoé")));
        Form->SelectNode(editor.AddPupils(F->Node(0), std::move(pupils)));
        break;
    }
    case TKind::RemovePupil:
        editor.Remove(F->Node(0, 0));
        break;
    case TKind::RemoveLastPupil:
        editor.Remove(F->Node(0, 1));
        break;
    case TKind::RemoveClass:
        editor.Remove(F->Node(0));
        break;
    case TKind::ReplaceRecords: {
        std::vector<TWorkspaceEditor::TRecordChange> changes;
        auto schoolClass = std::make_unique<TPData>(F->Record(0, -1));
        schoolClass->AppendLine(QStringLiteral("Histoire"));
        changes.emplace_back(F->Node(0), std::move(schoolClass));
        for (int pupil = 0; pupil < 2; ++pupil) {
            auto record = std::make_unique<TPData>(F->Record(0, pupil));
            record->SetLevelCount(4);
            record->SetLevel(1, 3);
            changes.emplace_back(F->Node(0, pupil), std::move(record));
        }
        editor.ReplaceRecords(QStringLiteral("matières de la classe CM1"), std::move(changes));
        break;
    }
    }
}

void TestMainFormUndo::eachStepUndoesAndRedoes_data() {
    QTest::addColumn<TKind>("kind");
    QTest::addColumn<QString>("caption");
    // Where the selection goes on undo and on redo: class row, pupil row.
    QTest::addColumn<QPoint>("undone");
    QTest::addColumn<QPoint>("redone");
    const QPoint pupil(0, 0);
    const QPoint firstClass(0, -1);
    QTest::newRow("level") << TKind::Level << QStringLiteral("niveau de Lecture") << pupil << pupil;
    QTest::newRow("mark") << TKind::Mark << QStringLiteral("note de Calcul && co") << pupil
                          << pupil;
    QTest::newRow("surname") << TKind::Surname << QStringLiteral("nom de Martin Paul") << pupil
                             << pupil;
    QTest::newRow("birthday") << TKind::BirthDay
                              << QStringLiteral("date de naissance de Martin Paul") << pupil
                              << pupil;
    QTest::newRow("sexe") << TKind::Sexe << QStringLiteral("sexe de Martin Paul") << pupil << pupil;
    QTest::newRow("remarks") << TKind::Remarks << QStringLiteral("remarques de Martin Paul")
                             << pupil << pupil;
    QTest::newRow("new class") << TKind::NewClass << QStringLiteral("nouvelle classe CP")
                               << firstClass << QPoint(2, -1);
    QTest::newRow("new pupils") << TKind::NewPupils << QStringLiteral("2 nouveaux élèves")
                                << firstClass << QPoint(0, 2);
    QTest::newRow("pupil with a next one")
        << TKind::RemovePupil << QStringLiteral("suppression de l'élève Martin Paul") << pupil
        << pupil;
    QTest::newRow("last pupil of its class")
        << TKind::RemoveLastPupil << QStringLiteral("suppression de l'élève Durand Léa")
        << QPoint(0, 1) << firstClass;
    QTest::newRow("class with its pupils")
        << TKind::RemoveClass << QStringLiteral("suppression de la classe CM1") << firstClass
        << firstClass;
    QTest::newRow("subject edit") << TKind::ReplaceRecords
                                  << QStringLiteral("matières de la classe CM1") << firstClass
                                  << firstClass;
}

void TestMainFormUndo::eachStepUndoesAndRedoes() {
    QFETCH(TKind, kind);
    QFETCH(QString, caption);
    QFETCH(QPoint, undone);
    QFETCH(QPoint, redone);
    QAbstractItemModelTester tester(&Form->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QByteArray before = Snapshot();
    Make(kind);
    const QByteArray after = Snapshot();
    QVERIFY(after != before);
    QCOMPARE(Undo()->text(), QStringLiteral("&Annuler : ") + caption);
    for (int round = 0; round < 2; ++round) {
        Undo()->trigger();
        QCOMPARE(Snapshot(), before);
        QCOMPARE(Form->SelectedNode(), F->Node(undone.x(), undone.y()));
        QCOMPARE(Redo()->text(), QStringLiteral("&Rétablir : ") + caption);
        Redo()->trigger();
        QCOMPARE(Snapshot(), after);
        QCOMPARE(Form->SelectedNode(), F->Node(redone.x(), redone.y()));
    }
    QVERIFY(Undo()->isEnabled());
    QVERIFY(!Redo()->isEnabled());
    QCOMPARE(F->Driver.Messages, QStringList());
}

void TestMainFormUndo::captionsNameTheStep() {
    QCOMPARE(Undo()->text(), QStringLiteral("&Annuler"));
    QCOMPARE(Redo()->text(), QStringLiteral("&Rétablir"));
    QVERIFY(!Undo()->isEnabled());
    QVERIFY(!Redo()->isEnabled());
    QCOMPARE(Undo()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(Redo()->shortcuts(),
             (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    // Clicking the level already shown is no step.
    ClickGrid(1, 2);
    QVERIFY(!Undo()->isEnabled());
    ClickGrid(2, 2);
    ClickGrid(2, 3);
    QCOMPARE(Undo()->text(), QStringLiteral("&Annuler : niveau de Calcul && co"));
    Form->Editor().Undo();
    QCOMPARE(Undo()->text(), QStringLiteral("&Annuler : niveau de Lecture"));
    QCOMPARE(Redo()->text(), QStringLiteral("&Rétablir : niveau de Calcul && co"));
    Form->Editor().Undo();
    QVERIFY(!Undo()->isEnabled());
    QVERIFY(Redo()->isEnabled());
    // A new step drops what could be redone.
    ClickGrid(4, 2);
    QVERIFY(!Redo()->isEnabled());
    QCOMPARE(Redo()->text(), QStringLiteral("&Rétablir"));
    // Outside the edits the keys are the window's.
    auto* tree = F->Find<QTreeView>("Tree");
    tree->setFocus();
    QTRY_VERIFY(tree->hasFocus());
    for (const QKeySequence& redo : Redo()->shortcuts()) {
        QTest::keySequence(tree, Undo()->shortcut());
        QCOMPARE(F->Record(0, 0).GetLevel(1), 1);
        QTest::keySequence(tree, redo);
        QCOMPARE(F->Record(0, 0).GetLevel(1), 4);
    }
}

void TestMainFormUndo::undoRefreshesTheWindow() {
    auto* grid = F->Find<TEditGrid>("Grid");
    ClickGrid(3, 2);
    Form->Editor().Remove(F->Node(1, 0));
    Form->SelectNode(F->Node(1));
    QCOMPARE(F->Find<TStatusBar>("StatusBar")->PanelText(2), QStringLiteral("0 élève"));
    Undo()->trigger();
    QCOMPARE(Form->SelectedNode(), F->Node(1, 0));
    QCOMPARE(F->Find<QLineEdit>("SurnameEdt")->text(), QStringLiteral("Petit"));
    QCOMPARE(F->Find<TStatusBar>("StatusBar")->PanelText(2), QStringLiteral("1 élève"));
    Form->SelectNode(F->Node(0, 1));
    Undo()->trigger();
    QCOMPARE(Form->SelectedNode(), F->Node(0, 0));
    QCOMPARE(grid->Cells(1, 2), QStringLiteral(" X "));
    QVERIFY(grid->Cells(3, 2).isEmpty());
    Form->Editor().Remove(F->Node(1));
    Form->Editor().Remove(F->Node(0));
    Undo()->trigger();
    Undo()->trigger();
    QCOMPARE(Form->Model().rowCount(), 2);
    QCOMPARE(Form->SelectedNode(), F->Node(1));
    Redo()->trigger();
    QCOMPARE(Form->SelectedNode(), F->Node(0));
    // Redoing the removal of the last class leaves nothing to show.
    Redo()->trigger();
    QVERIFY(!Form->SelectedNode().isValid());
    QVERIFY(!grid->isVisible());
    QVERIFY(!F->Find<QAction>("FileDelete")->isEnabled());
    QVERIFY(!F->Find<QLineEdit>("SurnameEdt")->isEnabled());
}

void TestMainFormUndo::oneStepPerFieldEdit() {
    Type("NameEdt", QStringLiteral("-Louis"));
    Type("BirthdayEdt", QStringLiteral(" 2017"));
    Type("BirthdayEdt", QStringLiteral("!"));
    Type("RemarksMemo", QStringLiteral(" Oui"));
    QCOMPARE(Form->Editor().History().count(), 4);
    QCOMPARE(Form->Model().data(F->Node(0, 0)).toString(), QStringLiteral("Martin Paul-Louis"));
    Undo()->trigger();
    QCOMPARE(F->Record(0, 0).Lines(), QStringList{QStringLiteral("Bien.")});
    Undo()->trigger();
    QCOMPARE(F->Record(0, 0).BirthDay(), QStringLiteral("1er mai 2017"));
    Undo()->trigger();
    QCOMPARE(F->Record(0, 0).BirthDay(), QStringLiteral("1er mai"));
    QCOMPARE(F->Find<QLineEdit>("BirthdayEdt")->text(), QStringLiteral("1er mai"));
    Undo()->trigger();
    QCOMPARE(F->Record(0, 0).Name(), QStringLiteral("Paul"));
    QCOMPARE(Form->Model().data(F->Node(0, 0)).toString(), QStringLiteral("Martin Paul"));
    // Typing back what was there leaves nothing to undo.
    Form->Editor().History().clear();
    auto* surname = F->Find<QLineEdit>("SurnameEdt");
    surname->setFocus();
    QTest::keyClicks(surname, QStringLiteral("z"));
    QTest::keyClick(surname, Qt::Key_Backspace);
    QVERIFY(!Undo()->isEnabled());
}

void TestMainFormUndo::quittingKeepsTheHistory() {
    ClickGrid(3, 2);
    QVERIFY(!F->Quit(QStringLiteral("CancelBtn")));
    QVERIFY(Undo()->isEnabled());
    QVERIFY(F->Quit(QStringLiteral("OkBtn")));
    QVERIFY(F->ReadFile(QStringLiteral("tree.dat")).contains("Levels=4:-1|3:12|3:-1|"));
    QCOMPARE(Undo()->text(), QStringLiteral("&Annuler : niveau de Lecture"));
    // The records are freed once saved: a step taken back then harms nothing.
    Undo()->trigger();
    Redo()->trigger();
    // The hand-made file has no header lines: the first save keeps a copy
    // of it and says so; nothing else may be said.
    const QStringList said = F->Driver.Messages.filter(QStringLiteral("tree.copie-"));
    QCOMPARE(F->Driver.Messages, said);
}

void TestMainFormUndo::focusedEditKeepsItsShortcuts_data() {
    QTest::addColumn<QString>("control");
    QTest::newRow("surname") << QStringLiteral("SurnameEdt");
    QTest::newRow("birthday") << QStringLiteral("BirthdayEdt");
    QTest::newRow("remarks") << QStringLiteral("RemarksMemo");
}

void TestMainFormUndo::focusedEditKeepsItsShortcuts() {
    QFETCH(QString, control);
    // Lecture at B, with C to redo.
    ClickGrid(2, 2);
    ClickGrid(3, 2);
    Form->Editor().Undo();
    auto* widget = Form->findChild<QWidget*>(control);
    widget->setFocus();
    QTRY_VERIFY(widget->hasFocus());
    QTest::keyClick(widget, Qt::Key_Z, Qt::ControlModifier);
    for (const QKeySequence& redo : Redo()->shortcuts())
        QTest::keySequence(widget, redo);
    QCOMPARE(F->Record(0, 0).GetLevel(1), 2);
    QVERIFY(Redo()->isEnabled());
    auto text = [widget] {
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            return edit->text();
        return static_cast<QPlainTextEdit*>(widget)->toPlainText();
    };
    const QString shown = text();
    QTest::keyClicks(widget, QStringLiteral("xy"));
    QTest::keyClick(widget, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text(), shown);
    QCOMPARE(F->Record(0, 0).GetLevel(1), 2);
    QCOMPARE(Undo()->text(), QStringLiteral("&Annuler : niveau de Lecture"));
}

QTEST_MAIN(TestMainFormUndo)
#include "tst_mainform_undo.moc"
