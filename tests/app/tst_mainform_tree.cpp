#include "MainFormFixture.h"

#include "app/StatusBar.h"
#include "workspace/WorkspaceModel.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QTreeView>

namespace {

// Classes with 0, 1, 2 and 5 subject lines and as many pupils as subjects.
QByteArray CountsWorkspace() {
    QStringList lines;
    const QStringList matters = {QString(), QStringLiteral("a|"), QStringLiteral("a|b|"),
                                 QStringLiteral("$T|_a|_b|$U|_c|")};
    const int pupils[] = {0, 1, 2, 5};
    for (int c = 0; c < 4; ++c) {
        const QString name = QStringLiteral("C%1").arg(c);
        lines << QStringLiteral("[Class]") << QStringLiteral("ClassName=") + name
              << QStringLiteral("Matters=") + matters[c];
        for (int p = 0; p < pupils[c]; ++p)
            lines << QStringLiteral("[Pupil]") << QStringLiteral("Surname=P%1").arg(p)
                  << QStringLiteral("Name=N") << QString() << QStringLiteral("Class=") + name
                  << QStringLiteral("Sexe=Fille") << QStringLiteral("Levels=")
                  << QStringLiteral("Remarks=");
    }
    return FileOf(lines);
}

QStringList Captions(const QList<QAction*>& actions) {
    QStringList captions;
    for (const QAction* action : actions)
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

} // namespace

class TestMainFormTree : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void commandStatesFollowTheSelection();
    void statusBarCounts_data();
    void statusBarCounts();
    void anyMouseButtonSelects();
    void selectedNodeStaysSelected_data();
    void selectedNodeStaysSelected();
    void menusAndShortcuts();
    void popupMenuFollowsTheActions();
    void iconSizeSwitchesAndBack();
    void toolBarToggles();
    void expandAndCollapseAll();

private:
    std::unique_ptr<TMainFormFixture> F;
    TMainForm* Form = nullptr;
    QModelIndex Class(int row) const { return Form->Model().index(row, 0); }
};

void TestMainFormTree::init() {
    F = std::make_unique<TMainFormFixture>();
    F->WriteFile(QStringLiteral("tree.dat"), CountsWorkspace());
    Form = &F->Start();
}

void TestMainFormTree::cleanup() {
    F.reset();
}

void TestMainFormTree::commandStatesFollowTheSelection() {
    auto states = [this] {
        QString enabled;
        for (const char* name : {"FileNewPupil", "FileDelete", "FileModifyMatters", "FilePrint",
                                 "FileImportPupils", "FileStatistics"})
            enabled += F->Find<QAction>(name)->isEnabled() ? u'1' : u'0';
        return enabled;
    };
    QCOMPARE(states(), QStringLiteral("000000"));
    Form->SelectNode(Class(2));
    QCOMPARE(states(), QStringLiteral("111111"));
    QVERIFY(!F->Find<QWidget>("Grid")->isHidden());
    QVERIFY(!F->Find<QLineEdit>("SurnameEdt")->isEnabled());
    Form->SelectNode(Form->Model().index(1, 0, Class(2)));
    QCOMPARE(states(), QStringLiteral("110111"));
    QVERIFY(F->Find<QLineEdit>("SurnameEdt")->isEnabled());
    QCOMPARE(F->Find<QLineEdit>("SurnameEdt")->text(), QStringLiteral("P1"));
    // A class without subjects hides the grid, for the class and its pupils.
    Form->SelectNode(Class(0));
    QVERIFY(F->Find<QWidget>("Grid")->isHidden());
    Form->UpdatePupilSheet(nullptr);
    QCOMPARE(states(), QStringLiteral("000000"));
    QVERIFY(F->Find<QWidget>("Grid")->isHidden());
    QVERIFY(!F->Find<QWidget>("RemarksMemo")->isEnabled());
    QVERIFY(!F->Find<QWidget>("SexeLbl")->isEnabled());
}

void TestMainFormTree::statusBarCounts_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("subjects");
    QTest::addColumn<QString>("pupils");
    QTest::newRow("none") << 0 << QStringLiteral("0 matière") << QStringLiteral("0 élève");
    QTest::newRow("one") << 1 << QStringLiteral("1 matière") << QStringLiteral("1 élève");
    QTest::newRow("two") << 2 << QStringLiteral("2 matières") << QStringLiteral("2 élèves");
    QTest::newRow("headings count")
        << 3 << QStringLiteral("5 matières") << QStringLiteral("5 élèves");
}

void TestMainFormTree::statusBarCounts() {
    QFETCH(int, row);
    auto* bar = F->Find<TStatusBar>("StatusBar");
    for (const QModelIndex& node : {Class(row), Form->Model().index(0, 0, Class(row))}) {
        if (!node.isValid())
            continue;
        Form->SelectNode(node);
        QCOMPARE(bar->PanelText(1), QStringLiteral("C%1").arg(row));
        QTEST(bar->PanelText(3), "subjects");
        QTEST(bar->PanelText(2), "pupils");
    }
}

void TestMainFormTree::anyMouseButtonSelects() {
    auto* tree = F->Find<QTreeView>("Tree");
    tree->expandAll();
    const QModelIndex pupil = Form->Model().index(1, 0, Class(3));
    const QPoint where = tree->visualRect(pupil).center();
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, where);
    QContextMenuEvent menuRequest(QContextMenuEvent::Mouse, where,
                                  tree->viewport()->mapToGlobal(where));
    QApplication::sendEvent(tree->viewport(), &menuRequest);
    QCOMPARE(Form->SelectedNode(), pupil);
    QCOMPARE(F->Find<QLineEdit>("SurnameEdt")->text(), QStringLiteral("P1"));
    QTRY_VERIFY(F->Find<QMenu>("PopupMenu")->isVisible());
    F->Find<QMenu>("PopupMenu")->hide();
    QTest::mousePress(tree->viewport(), Qt::MiddleButton, {}, tree->visualRect(Class(1)).center());
    QCOMPARE(Form->SelectedNode(), Class(1));
    // A press on empty space changes nothing.
    tree->collapseAll();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      QPoint(5, tree->viewport()->height() - 2));
    QCOMPARE(Form->SelectedNode(), Class(1));
}

void TestMainFormTree::selectedNodeStaysSelected_data() {
    QTest::addColumn<bool>("mouse");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Ctrl+click") << true << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("Ctrl+Shift+click")
        << true << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::newRow("Ctrl+Space") << false << Qt::KeyboardModifiers(Qt::ControlModifier);
}

// Whatever the user does over the selected node, it stays selected, and what
// is typed next reaches its record.
void TestMainFormTree::selectedNodeStaysSelected() {
    QFETCH(bool, mouse);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    auto* tree = F->Find<QTreeView>("Tree");
    tree->expandAll();
    const QModelIndex pupil = Form->Model().index(0, 0, Class(2));
    Form->SelectNode(pupil);
    tree->setFocus();
    if (mouse)
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, modifiers,
                          tree->visualRect(pupil).center());
    else
        QTest::keyClick(tree, Qt::Key_Space, modifiers);
    QCOMPARE(Form->SelectedNode(), pupil);
    auto* surname = F->Find<QLineEdit>("SurnameEdt");
    QVERIFY(surname->isEnabled());
    surname->setText(QStringLiteral("Nouveau"));
    QCOMPARE(Form->Model().NodeAt(pupil)->Data->Surname(), QStringLiteral("Nouveau"));
}

void TestMainFormTree::menusAndShortcuts() {
    const QList<QAction*> menus = Form->menuBar()->actions();
    QCOMPARE(Captions(menus), (QStringList{QStringLiteral("&Fichier"), QStringLiteral("&Edition"),
                                           QStringLiteral("&Aide")}));
    QCOMPARE(Captions(menus[0]->menu()->actions()),
             (QStringList{QStringLiteral("Nouvelle classe"),
                          QStringLiteral("Nouvel élèv&e"),
                          QStringLiteral("&Supprimer"),
                          QStringLiteral("&Modifier les matières"),
                          QStringLiteral("I&mprimer"),
                          QStringLiteral("-"),
                          QStringLiteral("&Importer des élèves..."),
                          QStringLiteral("S&tatistiques de la classe"),
                          QStringLiteral("Saisie de la &classe"),
                          QStringLiteral("E&xporter les résultats..."),
                          QStringLiteral("-"),
                          QStringLiteral("Renommer la classe..."),
                          QStringLiteral("Changer de classe..."),
                          QStringLiteral("Trier les élèves"),
                          QStringLiteral("-"),
                          QStringLiteral("Barre d'&outils"),
                          QStringLiteral("&Grandes Icônes"),
                          QStringLiteral("-"),
                          QStringLiteral("Copies &datées..."),
                          QStringLiteral("E&nregistrer"),
                          QStringLiteral("&Quitter")}));
    QCOMPARE(Captions(menus[1]->menu()->actions()),
             (QStringList{QStringLiteral("&Annuler"), QStringLiteral("&Rétablir"),
                          QStringLiteral("-"), QStringLiteral("A&ppréciations...")}));
    QCOMPARE(Captions(menus[2]->menu()->actions()),
             (QStringList{QStringLiteral("&Rubriques d'aide"), QStringLiteral("-"),
                          QStringLiteral("A &propos")}));
    const std::pair<const char*, QKeySequence> shortcuts[] = {
        {"FileNewClass", QKeySequence(Qt::Key_F3)},
        {"FileNewPupil", QKeySequence(Qt::Key_F2)},
        {"FileDelete", QKeySequence(Qt::CTRL | Qt::Key_Delete)},
        {"FileModifyMatters", QKeySequence(Qt::Key_F4)},
        {"FilePrint", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"HelpContents", QKeySequence(Qt::Key_F1)}};
    for (const auto& [name, keys] : shortcuts)
        QCOMPARE(F->Find<QAction>(name)->shortcut(), keys);
    auto* toolBar = F->Find<QToolBar>("ToolBar");
    QStringList buttons;
    for (QAction* action : toolBar->actions())
        buttons << (qobject_cast<QToolButton*>(toolBar->widgetForAction(action))
                        ? action->iconText()
                        : QStringLiteral("|"));
    QCOMPARE(buttons,
             (QStringList{QStringLiteral("Nouvelle classe"), QStringLiteral("Nouvel élève"),
                          QStringLiteral("|"), QStringLiteral("Supprimer"),
                          QStringLiteral("Imprimer"), QStringLiteral("Modifier matières"),
                          QStringLiteral("Saisie classe"), QStringLiteral("Enregistrer")}));
}

void TestMainFormTree::popupMenuFollowsTheActions() {
    auto* popup = F->Find<QMenu>("PopupMenu");
    QCOMPARE(
        Captions(popup->actions()),
        (QStringList{QStringLiteral("Nouvelle classe"), QStringLiteral("Nouvel élève"),
                     QStringLiteral("-"), QStringLiteral("Supprimer"), QStringLiteral("Imprimer"),
                     QStringLiteral("Modifier matières"), QStringLiteral("-"),
                     QStringLiteral("Importer des élèves..."),
                     QStringLiteral("Statistiques de la classe"), QStringLiteral("Saisie classe"),
                     QStringLiteral("Exporter les résultats..."), QStringLiteral("-"),
                     QStringLiteral("Renommer la classe"), QStringLiteral("Changer de classe"),
                     QStringLiteral("Trier les élèves"), QStringLiteral("-"),
                     QStringLiteral("Tout développer"), QStringLiteral("Tout réduire")}));
    auto* item = F->Find<QAction>("PopupFileModifyMatters");
    QVERIFY(!item->isEnabled());
    Form->SelectNode(Class(1));
    QVERIFY(item->isEnabled());
    Form->SelectNode(Form->Model().index(0, 0, Class(1)));
    QVERIFY(!item->isEnabled());
}

void TestMainFormTree::iconSizeSwitchesAndBack() {
    auto* toolBar = F->Find<QToolBar>("ToolBar");
    auto* tree = F->Find<QTreeView>("Tree");
    auto* item = F->Find<QAction>("FileBigIconsItem");
    auto* button =
        qobject_cast<QToolButton*>(toolBar->widgetForAction(F->Find<QAction>("FileDelete")));
    auto check = [&](bool big, bool hints) {
        QCOMPARE(item->isChecked(), big);
        QCOMPARE(button->size(), big ? QSize(86, 52) : QSize(23, 22));
        QCOMPARE(button->toolButtonStyle(),
                 big ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
        QCOMPARE(toolBar->iconSize(), big ? QSize(32, 32) : QSize(16, 16));
        QCOMPARE(tree->iconSize(), big ? QSize(32, 32) : QSize(16, 16));
        QCOMPARE(tree->indentation(), big ? 35 : 19);
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(button, &help);
        QCOMPARE(QToolTip::isVisible(), hints);
    };
    // The designed start look shows the hints; switching to large icons
    // turns them off.
    check(true, true);
    item->trigger();
    check(false, true);
    item->trigger();
    check(true, false);
}

void TestMainFormTree::toolBarToggles() {
    auto* toolBar = F->Find<QToolBar>("ToolBar");
    auto* action = F->Find<QAction>("FileToolBar");
    QVERIFY(toolBar->isVisible());
    action->trigger();
    QVERIFY(!toolBar->isVisible());
    QVERIFY(!action->isChecked());
    action->trigger();
    QVERIFY(toolBar->isVisible());
    QVERIFY(action->isChecked());
}

void TestMainFormTree::expandAndCollapseAll() {
    auto* tree = F->Find<QTreeView>("Tree");
    F->Find<QAction>("TreeExpandAll")->trigger();
    for (int row = 1; row < 4; ++row)
        QVERIFY(tree->isExpanded(Class(row)));
    F->Find<QAction>("TreeCollapseAll")->trigger();
    for (int row = 0; row < 4; ++row)
        QVERIFY(!tree->isExpanded(Class(row)));
}

QTEST_MAIN(TestMainFormTree)
#include "tst_mainform_tree.moc"
