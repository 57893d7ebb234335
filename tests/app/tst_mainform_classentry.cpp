#include "MainFormFixture.h"

#include "app/ClassEntryForm.h"
#include "app/ClassEntryModel.h"
#include "widgets/ClassEntryGrid.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QInputDialog>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// CM1: a heading over two subjects, then one more; three pupils. CE2 shares
// the heading and "Lecture", and has a subject of its own.
QByteArray EntryWorkspace() {
    QStringList lines = {u"[Class]"_s, u"ClassName=CM1"_s,
                         u"Matters=$Français|_Lecture|_Ecriture|Calcul|"_s};
    const QStringList pupils[] = {{u"Martin"_s, u"Léa"_s, u"4:-1|2:12,5|4:-1|4:-1|"_s},
                                  {u"Durand"_s, u"Paul"_s, u"4:-1|4:-1|3:8|4:-1|"_s},
                                  {u"Élie"_s, u"Zoé"_s, u"4:-1|4:-1|4:-1|1:-1|"_s}};
    for (const QStringList& pupil : pupils)
        lines << u"[Pupil]"_s << u"Surname="_s + pupil[0] << u"Name="_s + pupil[1] << u"BirthDay="_s
              << u"Class=CM1"_s << u"Sexe=Fille"_s << u"Levels="_s + pupil[2] << u"Remarks="_s;
    lines << u"[Class]"_s << u"ClassName=CE2"_s << u"Matters=$Français|_Lecture|Chant|"_s
          << u"[Pupil]"_s << u"Surname=Roux"_s << u"Name=Tom"_s << u"BirthDay="_s << u"Class=CE2"_s
          << u"Sexe=Garçon"_s << u"Levels=4:-1|1:-1|2:-1|"_s << u"Remarks="_s;
    return FileOf(lines);
}

// Keys written as characters, or {Name} with an optional "S-" (Shift) or
// "C-" (Control) before the name.
void PressKeys(QWidget* target, const QString& keys) {
    static const QHash<QString, Qt::Key> names = {
        {u"Return"_s, Qt::Key_Return},   {u"Escape"_s, Qt::Key_Escape},
        {u"Delete"_s, Qt::Key_Delete},   {u"Tab"_s, Qt::Key_Tab},
        {u"Backtab"_s, Qt::Key_Backtab}, {u"Down"_s, Qt::Key_Down},
        {u"Up"_s, Qt::Key_Up},           {u"Left"_s, Qt::Key_Left},
        {u"Right"_s, Qt::Key_Right},     {u"Home"_s, Qt::Key_Home},
        {u"End"_s, Qt::Key_End},         {u"PgDown"_s, Qt::Key_PageDown},
        {u"PgUp"_s, Qt::Key_PageUp}};
    static const QRegularExpression token(u"\\{(S-|C-)?(\\w+)\\}|(.)"_s);
    for (auto match = token.globalMatch(keys); match.hasNext();) {
        const QRegularExpressionMatch key = match.next();
        QWidget* focused = QApplication::focusWidget() ? QApplication::focusWidget() : target;
        if (!key.captured(3).isEmpty()) {
            QTest::keyClicks(focused, key.captured(3));
        } else {
            const Qt::KeyboardModifiers modifiers = key.captured(1) == u"S-"_s ? Qt::ShiftModifier
                                                    : key.captured(1) == u"C-"_s
                                                        ? Qt::ControlModifier
                                                        : Qt::NoModifier;
            QTest::keyClick(focused, names.value(key.captured(2)), modifiers);
        }
        // The editor commits Return through a queued call.
        QCoreApplication::processEvents();
    }
}

} // namespace

class TestMainFormClassEntry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void keySequences_data();
    void keySequences();
    void layoutAndAccessibleText();
    void pasteIsOneStep();
    void commentEditedFromTheCell();
    void copyGivesTabSeparatedText();
    void windowsFollowEachOther();
    void oneWindowPerClassClosedWithIt();
    void housekeeping_data();
    void housekeeping();

private:
    // Each pupil of CM1 as "Lecture;Ecriture;Calcul", each as a level letter
    // and the mark after a blank when there is one.
    QStringList Evaluations() const;
    QString Captions(int schoolClass) const;
    TClassEntryForm* OpenEntry(int schoolClass = 0);

    std::unique_ptr<TMainFormFixture> F;
    TMainForm* Form = nullptr;
};

void TestMainFormClassEntry::init() {
    F = std::make_unique<TMainFormFixture>();
    F->WriteFile(u"tree.dat"_s, EntryWorkspace());
    Form = &F->Start();
    Form->SelectNode(F->Node(0));
}

void TestMainFormClassEntry::cleanup() {
    F.reset();
}

QStringList TestMainFormClassEntry::Evaluations() const {
    QStringList pupils;
    for (int row = 0; row < Form->Model().rowCount(F->Node(0)); ++row) {
        const TPData& record = F->Record(0, row);
        QStringList subjects;
        for (int line = 1; line <= 3; ++line) {
            QString text = u"ABC?"_s.mid(record.GetLevel(line) - 1, 1);
            if (record.GetMark(line) >= 0)
                text += u' ' + QString::number(record.GetMark(line));
            subjects << text;
        }
        pupils << subjects.join(u';');
    }
    return pupils;
}

QString TestMainFormClassEntry::Captions(int schoolClass) const {
    QStringList captions{Form->Model().NodeAt(F->Node(schoolClass))->Text};
    for (int row = 0; row < Form->Model().rowCount(F->Node(schoolClass)); ++row)
        captions << Form->Model().NodeAt(F->Node(schoolClass, row))->Text + u'/' +
                        F->Record(schoolClass, row).ClassName();
    return captions.join(u", "_s);
}

TClassEntryForm* TestMainFormClassEntry::OpenEntry(int schoolClass) {
    Form->SelectNode(F->Node(schoolClass));
    F->Find<QAction>("FileClassEntry")->trigger();
    TClassEntryForm* window = Form->ClassEntryWindow(F->Node(schoolClass));
    if (window) {
        QApplication::setActiveWindow(window);
        window->Grid().setFocus();
    }
    return window;
}

void TestMainFormClassEntry::keySequences_data() {
    QTest::addColumn<QPoint>("start"); // column, row
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("evaluations");
    QTest::addColumn<QPoint>("end");
    const QStringList before{u"B 12.5;?;?"_s, u"?;C 8;?"_s, u"?;?;A"_s};

    QTest::newRow("levels down a column, then the next subject")
        << QPoint(0, 0) << u"abcA"_s << QStringList{u"A 12.5;A;?"_s, u"B;C 8;?"_s, u"C;?;A"_s}
        << QPoint(2, 1);
    QTest::newRow("digits and question mark")
        << QPoint(2, 0) << u"1?4"_s << QStringList{u"B 12.5;A;?"_s, u"?;? 8;?"_s, u"?;?;A"_s}
        << QPoint(4, 0);
    QTest::newRow("other keys leave levels alone")
        << QPoint(0, 0) << u"xd5 "_s << before << QPoint(0, 0);
    QTest::newRow("marks typed, Return goes down")
        << QPoint(1, 0) << u"15{Return}9,5{Return}"_s
        << QStringList{u"B 15;?;?"_s, u"? 9.5;C 8;?"_s, u"?;?;A"_s} << QPoint(1, 2);
    QTest::newRow("mark cleaned as in the main window")
        << QPoint(3, 0) << u"12.75{Return}-3{Return}abc{Return}"_s
        << QStringList{u"B 12.5;? 12.7;?"_s, u"?;C 3;?"_s, u"?;?;A"_s} << QPoint(5, 0);
    QTest::newRow("Escape cancels the typing")
        << QPoint(1, 0) << u"19{Escape}{Down}"_s << before << QPoint(1, 1);
    QTest::newRow("Delete: level to ?, mark removed")
        << QPoint(0, 0) << u"{Delete}{Right}{Delete}{Down}{Right}{Right}{Delete}"_s
        << QStringList{u"?;?;?"_s, u"?;C;?"_s, u"?;?;A"_s} << QPoint(3, 1);
    QTest::newRow("a level key on a selection sets every level in it")
        << QPoint(2, 0) << u"{S-Down}{S-Down}{S-Right}{S-Right}b"_s
        << QStringList{u"B 12.5;B;B"_s, u"?;B 8;B"_s, u"?;B;B"_s} << QPoint(4, 2);
    QTest::newRow("Tab, Home, Ctrl+End, Ctrl+Home")
        << QPoint(0, 1) << u"{Tab}{Tab}a{Home}c{C-End}{Left}b{C-Home}{Tab}{Backtab}"_s
        << QStringList{u"B 12.5;?;?"_s, u"?;A 8;?"_s, u"C;?;B"_s} << QPoint(0, 0);
    QTest::newRow("Page Down stops on the last pupil")
        << QPoint(4, 0) << u"{PgDown}c"_s << QStringList{u"B 12.5;?;?"_s, u"?;C 8;?"_s, u"?;?;C"_s}
        << QPoint(4, 2);
}

void TestMainFormClassEntry::keySequences() {
    QFETCH(QPoint, start);
    QFETCH(QString, keys);
    QFETCH(QStringList, evaluations);
    QFETCH(QPoint, end);
    TClassEntryForm* window = OpenEntry();
    QVERIFY(window);
    TClassEntryGrid& grid = window->Grid();
    QCOMPARE(grid.currentIndex(), grid.model()->index(0, 0));
    grid.setCurrentIndex(grid.model()->index(start.y(), start.x()));
    PressKeys(&grid, keys);
    QCOMPARE(F->Driver.Messages, QStringList());
    QCOMPARE(Evaluations(), evaluations);
    QCOMPARE(grid.currentIndex(), grid.model()->index(end.y(), end.x()));
}

void TestMainFormClassEntry::layoutAndAccessibleText() {
    TClassEntryForm* window = OpenEntry();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), u"Saisie de la classe - CM1"_s);
    const QAbstractItemModel& model = window->EntryModel();
    QCOMPARE(model.columnCount(), 6);
    QCOMPARE(model.rowCount(), 3 + TClassEntryModel::SummaryRows);
    QStringList heading;
    for (int column = 0; column < model.columnCount(); ++column)
        heading << model.headerData(column, Qt::Horizontal, TClassEntryGrid::BandRole).toString() +
                       u'/' + model.headerData(column, Qt::Horizontal).toString();
    QCOMPARE(heading,
             QStringList({u"Français/Lecture"_s, u"Français/Lecture"_s, u"Français/Ecriture"_s,
                          u"Français/Ecriture"_s, u"/Calcul"_s, u"/Calcul"_s}));
    // Summary rows: pupils per level under the level column, the average
    // under the mark column.
    QCOMPARE(model.index(3 + 1, 0).data().toString(), u"1"_s);
    QCOMPARE(model.index(3 + 3, 0).data().toString(), u"2"_s);
    QCOMPARE(model.index(3 + 4, 1).data().toString(), u"12,5"_s);
    QVERIFY(!(model.flags(model.index(3, 0)) & Qt::ItemIsEnabled));

    // As a screen reader reads the cells, through the grid's accessible table.
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&window->Grid());
    QVERIFY(table && table->tableInterface());
    QAccessibleInterface* cell = table->tableInterface()->cellAt(0, 1);
    QVERIFY(cell);
    QCOMPARE(cell->text(QAccessible::Name), u"Martin Léa, Lecture : B, note 12,5"_s);
    QCOMPARE(table->tableInterface()->cellAt(1, 2)->text(QAccessible::Name),
             u"Durand Paul, Ecriture : C, note 8"_s);
    QCOMPARE(table->tableInterface()->cellAt(2, 0)->text(QAccessible::Name),
             u"Élie Zoé, Lecture : ?, sans note"_s);
}

void TestMainFormClassEntry::pasteIsOneStep() {
    TClassEntryForm* window = OpenEntry();
    QVERIFY(window);
    const int steps = Form->Editor().History().count();
    QApplication::clipboard()->setText(u"A\t14.5\tb\n2\t\tzz\t9\tX\n3\t7,25\n\nC\n"_s);
    QTest::keyClick(&window->Grid(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Evaluations(), QStringList({u"A 14.5;B;?"_s, u"B;C 9;?"_s, u"C 7.2;?;A"_s}));
    QCOMPARE(Form->Editor().History().count(), steps + 1);
    QCOMPARE(
        window->StatusText(),
        u"Collage : 8 cellules lues, 3 cellules ignorées (illisibles ou hors de la grille)."_s);
    // Undone from the window, then again from the main window's menu.
    QTest::keyClick(&window->Grid(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Evaluations(), QStringList({u"B 12.5;?;?"_s, u"?;C 8;?"_s, u"?;?;A"_s}));
    F->Find<QAction>("EditRedo")->trigger();
    QCOMPARE(Evaluations(), QStringList({u"A 14.5;B;?"_s, u"B;C 9;?"_s, u"C 7.2;?;A"_s}));
}

// Shift+F2 on either cell of a subject edits the pupil's comment: one step,
// shown as the cells' tool tip and as a red corner on the mark cell.
void TestMainFormClassEntry::commentEditedFromTheCell() {
    TClassEntryForm* window = OpenEntry();
    QVERIFY(window);
    TClassEntryGrid& grid = window->Grid();
    grid.setCurrentIndex(grid.model()->index(1, 4)); // Paul, Calcul's level
    QString asked;
    F->Driver.Next<QInputDialog>([&asked](QInputDialog& dialog) {
        asked = dialog.labelText();
        dialog.setTextValue(u"revoir les tables de 7"_s);
        dialog.accept();
    });
    QTest::keyClick(&grid, Qt::Key_F2, Qt::ShiftModifier);
    QCOMPARE(asked, u"Commentaire de Paul Durand en « Calcul » :"_s);
    QCOMPARE(F->Record(0, 1).GetComment(3), u"revoir les tables de 7"_s);
    const QModelIndex mark = grid.model()->index(1, 5);
    QCOMPARE(mark.data(Qt::ToolTipRole).toString(), u"revoir les tables de 7"_s);
    QCOMPARE(grid.model()->index(0, 5).data(Qt::ToolTipRole).toString(), QString());

    const QRect cell = grid.visualRect(mark);
    const QImage drawn = grid.viewport()->grab().toImage();
    QCOMPARE(QColor(drawn.pixel(cell.right() - 2, cell.top() + 1)), QColor(200, 0, 0));
    const QRect other = grid.visualRect(grid.model()->index(0, 5));
    QVERIFY(QColor(drawn.pixel(other.right() - 2, other.top() + 1)) != QColor(200, 0, 0));

    window->findChild<QAction*>(u"ClassEntryUndo"_s)->trigger();
    QCOMPARE(F->Record(0, 1).GetComment(3), QString());
    QCOMPARE(mark.data(Qt::ToolTipRole).toString(), QString());
}

void TestMainFormClassEntry::copyGivesTabSeparatedText() {
    TClassEntryForm* window = OpenEntry();
    QVERIFY(window);
    TClassEntryGrid& grid = window->Grid();
    PressKeys(&grid, u"{S-Right}{S-Right}{S-Right}{S-Down}"_s);
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), u"B\t12,5\t?\t\n?\t\tC\t8\n"_s);
    // What was copied pastes back the same, one row down.
    grid.setCurrentIndex(grid.model()->index(1, 0));
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Evaluations(), QStringList({u"B 12.5;?;?"_s, u"B 12.5;?;?"_s, u"?;C 8;A"_s}));
    // One value on a selection fills its cells of that kind.
    QApplication::clipboard()->setText(u"c\n"_s);
    // Clicked, as a user starts a selection: QTest leaves the last key's
    // Control in the application's modifiers, which would make a
    // programmatic setCurrentIndex keep the old selection's anchor.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      grid.visualRect(grid.model()->index(0, 4)).center());
    PressKeys(&grid, u"{S-Down}{S-Down}{S-Left}"_s);
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Evaluations(), QStringList({u"B 12.5;?;C"_s, u"B 12.5;?;C"_s, u"?;C 8;C"_s}));
    QCOMPARE(
        window->StatusText(),
        u"Collage : 3 cellules lues, 3 cellules ignorées (illisibles ou hors de la grille)."_s);
}

void TestMainFormClassEntry::windowsFollowEachOther() {
    TClassEntryForm* window = OpenEntry();
    QVERIFY(window);
    const auto& mainGrid = *F->Find<TEditGrid>("Grid");
    // The main window shows the class summary: Lecture has one B.
    QCOMPARE(mainGrid.Cells(2, 2), u"1"_s);
    PressKeys(&window->Grid(), u"bb"_s);
    QCOMPARE(mainGrid.Cells(2, 2), u"2"_s);
    // A pupil shown in the main window follows too, and the other way.
    Form->SelectNode(F->Node(0, 1));
    QCOMPARE(mainGrid.Cells(2, 2), u" X "_s);
    window->Grid().setCurrentIndex(window->EntryModel().index(1, 0));
    PressKeys(&window->Grid(), u"c"_s);
    QCOMPARE(mainGrid.Cells(3, 2), u" X "_s);
    Form->Editor().SetMark(F->Node(0, 1), 3, 16);
    QCOMPARE(window->EntryModel().index(1, 5).data().toString(), u"16"_s);
    QCOMPARE(window->EntryModel().index(3 + 4, 5).data().toString(), u"16"_s);
    // The main window's undo takes back the window's last step.
    F->Find<QAction>("EditUndo")->trigger();
    F->Find<QAction>("EditUndo")->trigger();
    QCOMPARE(window->EntryModel().index(1, 0).data().toString(), u"B"_s);
}

void TestMainFormClassEntry::oneWindowPerClassClosedWithIt() {
    QPointer<TClassEntryForm> window = OpenEntry();
    QVERIFY(window);
    Form->SelectNode(F->Node(0, 2));
    F->Find<QAction>("FileClassEntry")->trigger();
    QCOMPARE(Form->findChildren<TClassEntryForm*>().size(), 1);
    QVERIFY(Form->RenameClassTo(F->Node(0), u"CM1 bleu"_s));
    QCOMPARE(window->windowTitle(), u"Saisie de la classe - CM1 bleu"_s);
    // A pupil leaving changes the rows at once.
    Form->MovePupilTo(F->Node(0, 0), F->Node(1));
    QCOMPARE(window->EntryModel().rowCount(), 2 + TClassEntryModel::SummaryRows);
    Form->Editor().Remove(F->Node(0));
    QTRY_VERIFY(!window);
}

void TestMainFormClassEntry::housekeeping_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("cm1");
    QTest::addColumn<QString>("ce2");
    QTest::addColumn<QString>("message");
    const QString cm1 = u"CM1, Martin Léa/CM1, Durand Paul/CM1, Élie Zoé/CM1"_s;
    const QString ce2 = u"CE2, Roux Tom/CE2"_s;
    QTest::newRow("rename") << u"rename CM1 bleu"_s
                            << u"CM1 bleu, Martin Léa/CM1 bleu, Durand Paul/CM1 bleu, "
                               "Élie Zoé/CM1 bleu"_s
                            << ce2 << QString();
    QTest::newRow("rename to its own name in capitals")
        << u"rename cm1"_s << u"cm1, Martin Léa/cm1, Durand Paul/cm1, Élie Zoé/cm1"_s << ce2
        << QString();
    QTest::newRow("rename to another class's name")
        << u"rename ce2"_s << cm1 << ce2 << u"la classe 'ce2' existe déjà.\nOpération annulée."_s;
    QTest::newRow("move") << u"move"_s << u"CM1, Durand Paul/CM1, Élie Zoé/CM1"_s
                          << u"CE2, Roux Tom/CE2, Martin Léa/CE2"_s << QString();
    QTest::newRow("sort") << u"sort"_s << u"CM1, Durand Paul/CM1, Élie Zoé/CM1, Martin Léa/CM1"_s
                          << ce2 << QString();
}

void TestMainFormClassEntry::housekeeping() {
    QFETCH(QString, command);
    QFETCH(QString, cm1);
    QFETCH(QString, ce2);
    QFETCH(QString, message);
    const QString before = Captions(0) + u" | "_s + Captions(1);
    const int steps = Form->Editor().History().count();
    if (command.startsWith(u"rename "_s)) {
        Form->SelectNode(F->Node(0, 1));
        F->Driver.Scripted << TModalDriver::Typing({{"ClassEdt", command.mid(7)}}, u"OkBtn"_s);
        F->Find<QAction>("FileRenameClass")->trigger();
    } else if (command == u"move"_s) {
        Form->SelectNode(F->Node(0, 0));
        F->Driver.Answers << u"OkBtn"_s;
        F->Find<QAction>("FileMovePupil")->trigger();
        // Lecture is a line of both classes: its level and mark come along.
        const TPData& moved = F->Record(1, 1);
        QCOMPARE(moved.LevelCount(), 3);
        QCOMPARE(moved.GetLevel(1), 2);
        QCOMPARE(moved.GetMark(1), 12.5);
        QCOMPARE(moved.GetLevel(2), DefaultLevel);
        QCOMPARE(Form->SelectedNode(), F->Node(1, 1));
    } else {
        Form->SelectNode(F->Node(0));
        F->Find<QAction>("FileSortPupils")->trigger();
    }
    QCOMPARE(F->Driver.Messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(Captions(0), cm1);
    QCOMPARE(Captions(1), ce2);
    const bool changed = message.isEmpty();
    QCOMPARE(Form->Editor().History().count(), steps + (changed ? 1 : 0));
    if (!changed)
        return;
    Form->Editor().Undo();
    QCOMPARE(Captions(0) + u" | "_s + Captions(1), before);
    QCOMPARE(Evaluations(), QStringList({u"B 12.5;?;?"_s, u"?;C 8;?"_s, u"?;?;A"_s}));
    Form->Editor().Redo();
    QCOMPARE(Captions(0), cm1);
    QCOMPARE(Captions(1), ce2);
}

QTEST_MAIN(TestMainFormClassEntry)
#include "tst_mainform_classentry.moc"
