#include "data/SafeFile.h"
#include "data/SubjectImport.h"
#include "subjects/ModifyDlg.h"
#include "subjects/SubjectTree.h"
#include "subjects/SubjectTreeLines.h"
#include "widgets/Controls97.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

TPData ClassRecord(const QStringList& lines) {
    TPData record(TDataType::dtClass);
    record.SetClassName(QStringLiteral("CM1"));
    record.SetLines(lines);
    return record;
}

// The node reached by child rows from the top level, e.g. {0, 1}.
QTreeWidgetItem* Node(QTreeWidget& tree, std::initializer_list<int> path) {
    QTreeWidgetItem* item = nullptr;
    for (int row : path)
        item = item ? item->child(row) : tree.topLevelItem(row);
    return item;
}

struct TEditor {
    QStringList Errors;
    TModifyDlg Dialog;

    explicit TEditor(const QStringList& lines, std::vector<TOtherClass> others = {})
        : Dialog(ClassRecord(lines), std::move(others),
                 [this](QWidget*, const QString& text) { Errors << text; }) {}

    template <typename T> T* Find(const char* name) const {
        return Dialog.findChild<T*>(QString::fromLatin1(name));
    }
    TSubjectTree& Tree() const { return *Find<TSubjectTree>("ClassMattersTree"); }
    QStringList TreeLines() const { return EncodeSubjectTree(Tree()); }
    void Click(const char* button) const { Find<QPushButton>(button)->click(); }
    void Trigger(const char* item) const { Find<QAction>(item)->trigger(); }
};

} // namespace

class TestSubjectEditor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void buildFromLines_data();
    void buildFromLines();
    void fillButtonsDeriveChecks_data();
    void fillButtonsDeriveChecks();
    void selectionStaysOnOneLevel();
    void rightClickJoinsTheSelection();
    void drop_data();
    void drop();
    void addAndDeleteNodes();
    void labelEditDropsLeadingMarks_data();
    void labelEditDropsLeadingMarks();
    void importsFillTheMemo();
    void formLayout();
    void renamedNodeKeepsItsOrigin();
    void okAsksBeforeResetting_data();
    void okAsksBeforeResetting();
};

void TestSubjectEditor::buildFromLines_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected");
    const QStringList tree{u"$Français"_qs, u"_Lecture"_qs, u"__Compréhension"_qs, u"$_Écrit"_qs,
                           u"Maths"_qs};
    QTest::newRow("underscores") << tree << tree;
    QTest::newRow("tabs") << QStringList{u"$Français"_qs, u"\tLecture"_qs, u"\t\tCompréhension"_qs,
                                         u"$\tÉcrit"_qs, u"Maths"_qs}
                          << tree;
    QTest::newRow("blanks and a mix")
        << QStringList{u"$Français"_qs, u" Lecture"_qs, u"_\tCompréhension"_qs, u"$ Écrit"_qs,
                       u"Maths"_qs}
        << tree;
    QTest::newRow("two levels too deep dropped, its flag kept")
        << QStringList{u"A"_qs, u"__B"_qs, u"$___C"_qs, u"_D"_qs}
        << QStringList{u"$A"_qs, u"_D"_qs};
    QTest::newRow("back up several levels")
        << QStringList{u"A"_qs, u"_B"_qs, u"__C"_qs, u"___D"_qs, u"_E"_qs, u"F"_qs}
        << QStringList{u"A"_qs, u"_B"_qs, u"__C"_qs, u"___D"_qs, u"_E"_qs, u"F"_qs};
    QTest::newRow("first line deep goes on top")
        << QStringList{u"__A"_qs, u"_B"_qs, u"__C"_qs} << QStringList{u"A"_qs, u"_B"_qs, u"__C"_qs};
    QTest::newRow("empty names") << QStringList{QString(), u"_"_qs, u"$"_qs}
                                 << QStringList{QString(), u"_"_qs, u"$"_qs};
}

void TestSubjectEditor::buildFromLines() {
    QFETCH(QStringList, lines);
    // Opening builds the tree with the heading marks as they are.
    TEditor editor(lines);
    QTEST(editor.TreeLines(), "expected");
    QVERIFY(Node(editor.Tree(), {0})->isExpanded());

    // The space bar ticks or unticks the focused node.
    editor.Dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor.Dialog));
    editor.Tree().setFocus();
    editor.Tree().setCurrentItem(Node(editor.Tree(), {0}));
    const Qt::CheckState before = Node(editor.Tree(), {0})->checkState(0);
    QTest::keyClick(&editor.Tree(), Qt::Key_Space);
    QVERIFY(Node(editor.Tree(), {0})->checkState(0) != before);
}

void TestSubjectEditor::fillButtonsDeriveChecks_data() {
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QStringList>("memo");
    QTest::addColumn<QStringList>("expected");
    const QStringList start{u"$Feuille"_qs, u"Parent"_qs, u"_Enfant"_qs};
    QTest::newRow("add nothing") << QByteArray("AddBtn") << QStringList{}
                                 << QStringList{u"Feuille"_qs, u"$Parent"_qs, u"_Enfant"_qs};
    QTest::newRow("add lines") << QByteArray("AddBtn") << QStringList{u"_X"_qs, u"$Y"_qs}
                               << QStringList{u"Feuille"_qs, u"$Parent"_qs, u"_Enfant"_qs, u"X"_qs,
                                              u"Y"_qs};
    QTest::newRow("replace") << QByteArray("AddAllBtn") << QStringList{u"A"_qs, u"$_B"_qs}
                             << QStringList{u"$A"_qs, u"_B"_qs};
}

void TestSubjectEditor::fillButtonsDeriveChecks() {
    QFETCH(QByteArray, button);
    QFETCH(QStringList, memo);
    TEditor editor({u"$Feuille"_qs, u"Parent"_qs, u"_Enfant"_qs});
    editor.Dialog.SetMemoLines(memo);
    editor.Click(button.constData());
    QTEST(editor.TreeLines(), "expected");
}

void TestSubjectEditor::selectionStaysOnOneLevel() {
    TEditor editor({u"A"_qs, u"_A1"_qs, u"B"_qs, u"_B1"_qs, u"C"_qs});
    TSubjectTree& tree = editor.Tree();
    Node(tree, {2})->setSelected(true);
    Node(tree, {0, 0})->setSelected(true);
    Node(tree, {0})->setSelected(true);
    QCOMPARE(tree.SelectedInOrder(), (QList{Node(tree, {2}), Node(tree, {0})}));
    QCOMPARE(tree.selectedItems().size(), 2);

    tree.clearSelection();
    Node(tree, {1, 0})->setSelected(true);
    editor.Trigger("SelectAll");
    QCOMPARE(tree.SelectedInOrder(), (QList{Node(tree, {1, 0}), Node(tree, {0, 0})}));
}

void TestSubjectEditor::rightClickJoinsTheSelection() {
    TEditor editor({u"A"_qs, u"_A1"_qs, u"B"_qs});
    TSubjectTree& tree = editor.Tree();
    editor.Dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor.Dialog));
    auto* menu = editor.Find<QMenu>("PopupMenu");
    auto rightClick = [&tree](QPoint at) {
        QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, at);
    };

    rightClick(QPoint(tree.viewport()->width() / 2, tree.viewport()->height() - 2));
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(!editor.Find<QAction>("DeleteNode")->isEnabled());
    QVERIFY(!editor.Find<QAction>("AddChildItem")->isEnabled());
    QVERIFY(editor.Find<QAction>("InsertNode")->isEnabled());
    menu->hide();

    Node(tree, {1})->setSelected(true);
    rightClick(tree.visualItemRect(Node(tree, {0})).center());
    rightClick(tree.visualItemRect(Node(tree, {0, 0})).center()); // another level: refused
    QCOMPARE(tree.SelectedInOrder(), (QList{Node(tree, {1}), Node(tree, {0})}));
    QCOMPARE(tree.currentItem(), Node(tree, {0, 0}));
    QVERIFY(editor.Find<QAction>("DeleteNode")->isEnabled());
    menu->hide();
}

void TestSubjectEditor::drop_data() {
    QTest::addColumn<QList<QList<int>>>("selection");
    QTest::addColumn<QList<int>>("target");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("expected");
    using TPaths = QList<QList<int>>;
    QTest::newRow("onto its own descendant")
        << TPaths{{0}} << QList<int>{0, 0, 0} << false << QStringList{};
    QTest::newRow("onto itself") << TPaths{{1}} << QList<int>{1} << false << QStringList{};
    QTest::newRow("several onto one of them")
        << TPaths{{2}, {1}} << QList<int>{1} << true
        << QStringList{u"$A"_qs, u"_$A1"_qs, u"__A11"_qs, u"B"_qs, u"_C"_qs};
    QTest::newRow("in selection order, ancestor stays")
        << TPaths{{2}, {0}, {1}} << QList<int>{0, 0} << true
        << QStringList{u"$A"_qs, u"_$A1"_qs, u"__A11"_qs, u"__C"_qs, u"__B"_qs};
}

void TestSubjectEditor::drop() {
    QFETCH(QList<QList<int>>, selection);
    QFETCH(QList<int>, target);
    QFETCH(bool, accepted);
    const QStringList start{u"$A"_qs, u"_$A1"_qs, u"__A11"_qs, u"B"_qs, u"C"_qs};
    TEditor editor(start);
    TSubjectTree& tree = editor.Tree();
    for (const QList<int>& path : selection) {
        QTreeWidgetItem* item = nullptr;
        for (int row : path)
            item = item ? item->child(row) : tree.topLevelItem(row);
        item->setSelected(true);
    }
    QTreeWidgetItem* onto = nullptr;
    for (int row : target)
        onto = onto ? onto->child(row) : tree.topLevelItem(row);
    QCOMPARE(tree.CanDropOn(onto), accepted);
    if (accepted) {
        tree.DropOn(onto);
        QTEST(editor.TreeLines(), "expected");
    }
    QVERIFY(!tree.CanDropOn(nullptr));
}

void TestSubjectEditor::addAndDeleteNodes() {
    TEditor editor({u"A"_qs, u"_A1"_qs, u"_A2"_qs, u"B"_qs});
    TSubjectTree& tree = editor.Tree();
    editor.Dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor.Dialog));
    tree.setFocus();

    // Insert with nothing selected appends at the top level and edits it.
    QTest::keyClick(&tree, Qt::Key_Insert);
    QCOMPARE(editor.TreeLines().last(), u"Nouvelle matière"_qs);
    QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    // With two selected: one sibling each, after all siblings.
    tree.clearSelection();
    Node(tree, {0, 1})->setSelected(true);
    Node(tree, {0, 0})->setSelected(true);
    editor.Trigger("InsertNode");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(editor.TreeLines(),
             (QStringList{u"A"_qs, u"_A1"_qs, u"_A2"_qs, u"_Nouvelle matière"_qs,
                          u"_Nouvelle matière"_qs, u"B"_qs, u"Nouvelle matière"_qs}));

    // A child makes its parent a heading.
    tree.clearSelection();
    Node(tree, {1})->setSelected(true);
    editor.Trigger("AddChildItem");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(editor.TreeLines().mid(5, 2), (QStringList{u"$B"_qs, u"_Nouvelle Matière"_qs}));

    // Delete removes the selection with its descendants.
    tree.clearSelection();
    Node(tree, {0})->setSelected(true);
    Node(tree, {1})->setSelected(true);
    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_Delete);
    QCOMPARE(editor.TreeLines(), QStringList{u"Nouvelle matière"_qs});

    editor.Click("RemoveAllBtn");
    QCOMPARE(tree.topLevelItemCount(), 0);
    editor.Dialog.reject();
    QCOMPARE(editor.Dialog.MemoLines(), QStringList{});
}

void TestSubjectEditor::labelEditDropsLeadingMarks_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("plain") << u"Géométrie"_qs << u"Géométrie"_qs;
    QTest::newRow("heading mark") << u"$Maths"_qs << u"Maths"_qs;
    QTest::newRow("mixed marks") << u"_ \t$_Lecture"_qs << u"Lecture"_qs;
    QTest::newRow("inner marks kept") << u"Calcul $ _ x"_qs << u"Calcul $ _ x"_qs;
}

void TestSubjectEditor::labelEditDropsLeadingMarks() {
    QFETCH(QString, typed);
    // Lines from the class itself stay as they came, marks in names included.
    TEditor editor({u"A"_qs, u"_B"_qs});
    TSubjectTree& tree = editor.Tree();
    editor.Dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor.Dialog));
    tree.setFocus();
    tree.setCurrentItem(Node(tree, {0, 0}));
    QTest::keyClick(&tree, Qt::Key_F2);
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(edit);
    edit->setText(typed);
    QTest::keyClick(edit, Qt::Key_Return);
    QFETCH(QString, stored);
    QTRY_COMPARE(Node(tree, {0, 0})->text(0), stored);
    QCOMPARE(editor.TreeLines().first(), u"A"_qs);
}

void TestSubjectEditor::importsFillTheMemo() {
    TEditor editor({u"A"_qs}, {{u"CE2"_qs, {u"$Histoire"_qs, u"_Rois"_qs}}, {u"CP"_qs, {}}});
    auto* combo = editor.Find<TComboBox97>("ClassCombo");
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->currentIndex(), -1);
    combo->setCurrentIndex(0);
    Q_EMIT combo->activated(0);
    QCOMPARE(editor.Dialog.MemoLines(), (QStringList{u"$Histoire"_qs, u"_Rois"_qs}));
    QCOMPARE(editor.TreeLines(), QStringList{u"A"_qs}); // nothing enters the tree yet

    QTemporaryDir folder;
    const QString path = folder.filePath(u"liste.txt"_qs);
    QVERIFY(!WriteWholeFile(path, QByteArray("Fran\xE7"
                                             "ais\r\n\tLecture\r\n")));
    editor.Dialog.ImportFile(path);
    QCOMPARE(editor.Dialog.MemoLines(), (QStringList{u"Français"_qs, u"\tLecture"_qs}));
    QCOMPARE(combo->currentIndex(), -1);

    // A file that cannot be read changes nothing and says why.
    combo->setCurrentIndex(1);
    editor.Dialog.ImportFile(folder.filePath(u"absent.txt"_qs));
    QVERIFY(!WriteWholeFile(path, QByteArray("{\\rtf1 }}")));
    editor.Dialog.ImportFile(path);
    QCOMPARE(editor.Errors,
             (QStringList{OpenFileError(folder.filePath(u"absent.txt"_qs)), StreamLoadError()}));
    QCOMPARE(editor.Dialog.MemoLines(), (QStringList{u"Français"_qs, u"\tLecture"_qs}));
    QCOMPARE(combo->currentIndex(), 1);
}

void TestSubjectEditor::formLayout() {
    TEditor editor({u"A"_qs});
    editor.Dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor.Dialog));
    QCOMPARE(editor.Dialog.windowTitle(), u"Modifier les matières"_qs);
    QCOMPARE(editor.Dialog.size(), QSize(570, 401));
    QVERIFY(editor.Dialog.windowFlags().testFlag(Qt::Tool));
    QCOMPARE(QApplication::focusWidget(), editor.Find<QPushButton>("OkBtn"));
    QCOMPARE(editor.Find<QLabel>("ClassMattersLbl")->text(), u"Matières de la classe 'CM1'"_qs);
    const struct {
        const char* Name;
        QRect Place;
        QString Text;
    } buttons[] = {{"AddAllBtn", {236, 24, 81, 25}, u"Remplacer ->"_qs},
                   {"AddBtn", {236, 56, 81, 25}, u"Ajouter ->"_qs},
                   {"RemoveBtn", {236, 88, 81, 25}, u"Supprimer"_qs},
                   {"RemoveAllBtn", {236, 120, 81, 25}, u"Tout Supprimer"_qs},
                   {"BrowseBtn", {176, 290, 150, 25}, u"Parcourir..."_qs},
                   {"OkBtn", {206, 368, 75, 25}, u"Ok"_qs},
                   {"CancelBtn", {302, 368, 75, 25}, u"Annuler"_qs}};
    for (const auto& button : buttons) {
        auto* found = editor.Find<QPushButton>(button.Name);
        QVERIFY2(found, button.Name);
        QCOMPARE(found->geometry(), button.Place);
        QCOMPARE(found->text(), button.Text);
    }
}

// Label edits and drags keep the line a node was made from; nodes made
// from the memo have none.
void TestSubjectEditor::renamedNodeKeepsItsOrigin() {
    TEditor editor({u"$Français"_qs, u"_Lecture"_qs, u"Maths"_qs});
    Node(editor.Tree(), {0, 0})->setText(0, u"Lecture suivie"_qs);
    editor.Tree().setCurrentItem(Node(editor.Tree(), {1}));
    editor.Tree().DropOn(Node(editor.Tree(), {0}));
    editor.Dialog.SetMemoLines({u"Chant"_qs});
    editor.Click("AddBtn");
    editor.Dialog.done(QDialog::Accepted);
    QCOMPARE(editor.Dialog.MemoLines(),
             (QStringList{u"$Français"_qs, u"_Lecture suivie"_qs, u"_Maths"_qs, u"Chant"_qs}));
    QCOMPARE(editor.Dialog.LineOrigins(), (QList<int>{0, 1, 2, -1}));
}

void TestSubjectEditor::okAsksBeforeResetting_data() {
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("Non") << QByteArray("NoBtn") << false;
    QTest::newRow("Oui") << QByteArray("YesBtn") << true;
}

// Removing a subject that holds a pupil's level asks first; "Non" leaves
// the editor open with its tree and memo as they were.
void TestSubjectEditor::okAsksBeforeResetting() {
    QFETCH(QByteArray, answer);
    TPData pupil(TDataType::dtPupil);
    pupil.SetLevelCount(2);
    pupil.SetLevel(1, 1);
    TEditor editor({u"Lecture"_qs, u"Géométrie"_qs});
    editor.Dialog.SetEvaluations({&pupil}, QLocale::c());
    editor.Dialog.SetMemoLines({u"dans le memo"_qs});
    editor.Tree().setCurrentItem(Node(editor.Tree(), {1}));
    editor.Click("RemoveBtn");

    QString question;
    QTimer driver;
    QElapsedTimer deadline;
    deadline.start();
    driver.setInterval(5);
    connect(&driver, &QTimer::timeout, &driver, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box && deadline.elapsed() < 5000)
            return;
        driver.stop();
        if (!box)
            return;
        question = box->windowTitle() + u'|' + box->text();
        QCOMPARE(box->defaultButton(), box->findChild<QPushButton*>(u"YesBtn"_qs));
        box->findChild<QPushButton*>(QString::fromLatin1(answer))->click();
    });
    driver.start();
    editor.Click("OkBtn");
    driver.stop();
    QCOMPARE(question, u"Quillorin|1 évaluation enregistrée sera effacée (Géométrie). "
                       "Continuer ?"_qs);
    QFETCH(bool, accepted);
    QCOMPARE(editor.Dialog.result() == QDialog::Accepted, accepted);
    if (!accepted) {
        QCOMPARE(editor.TreeLines(), QStringList{u"Lecture"_qs});
        QCOMPARE(editor.Dialog.MemoLines(), QStringList{u"dans le memo"_qs});
    }
}

QTEST_MAIN(TestSubjectEditor)
#include "tst_subjecteditor.moc"
