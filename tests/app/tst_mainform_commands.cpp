#include "MainFormFixture.h"

#include "app/ClassTreeView.h"
#include "app/DeleteDlg.h"
#include "app/StatusBar.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// CM1 with five subject lines and three pupils, Élève with none and one.
QByteArray CommandsWorkspace() {
    QStringList lines;
    auto pupil = [&lines](const char* surname, const char* name, const QString& className,
                          const char* levels) {
        lines << QStringLiteral("[Pupil]")
              << QStringLiteral("Surname=") + QString::fromUtf8(surname)
              << QStringLiteral("Name=") + QString::fromUtf8(name) << QStringLiteral("BirthDay=")
              << QStringLiteral("Class=") + className << QStringLiteral("Sexe=Fille")
              << QStringLiteral("Levels=") + QString::fromUtf8(levels)
              << QStringLiteral("Remarks=");
    };
    lines << QStringLiteral("[Class]") << QStringLiteral("ClassName=CM1")
          << QStringLiteral("Matters=$Français|_Lecture|_Ecriture|Mathématiques|_Calcul|");
    lines << QStringLiteral("[Class]") << QStringLiteral("ClassName=Élève")
          << QStringLiteral("Matters=");
    pupil("Alpha", "A", QStringLiteral("CM1"), "4:-1|1:-1|2:-1|3:-1|1:12|");
    pupil("Beta", "B", QStringLiteral("CM1"), "4:-1|2:-1|2:-1|3:-1|1:-1|");
    pupil("Gamma", "C", QStringLiteral("CM1"), "4:-1|3:-1|2:-1|3:-1|1:-1|");
    pupil("Delta", "D", QStringLiteral("Élève"), "");
    return FileOf(lines);
}

// Everything a teacher could see of the workspace, one line per fact.
QStringList Snapshot(const TWorkspaceModel& model) {
    QStringList facts;
    for (int c = 0; c < model.rowCount(); ++c) {
        const QModelIndex classIndex = model.index(c, 0);
        const TNode& schoolClass = *model.NodeAt(classIndex);
        facts << schoolClass.Text + u'|' + schoolClass.Data->ClassName() + u'|' +
                     schoolClass.Data->Lines().join(u'/');
        for (int p = 0; p < model.rowCount(classIndex); ++p) {
            const TNode& pupil = *model.NodeAt(model.index(p, 0, classIndex));
            const TPData& r = *pupil.Data;
            QString levels;
            for (int i = 0; i < r.LevelCount(); ++i)
                levels += QStringLiteral("%1:%2 ").arg(r.GetLevel(i)).arg(r.GetMark(i));
            facts << QStringList{pupil.Text,    r.Surname(), r.Name(), r.BirthDay(),
                                 r.ClassName(), r.Sexe(),    levels,   r.Lines().join(u'/')}
                         .join(u'|');
        }
    }
    return facts;
}

TModalDriver::TAnswer PressingReturn(const QString& text) {
    return {[text](QWidget& dialog) {
                auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("ClassEdt"));
                TypeText(edit, text);
                QTest::keyClick(edit, Qt::Key_Return);
            },
            QString()};
}

} // namespace

class TestMainFormCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void newClass_data();
    void newClass();
    void newPupil_data();
    void newPupil();
    void deleteSelections_data();
    void deleteSelections();
    void lastClassDeletedDisablesTheCommands();
    void deleteDlgLayout_data();
    void deleteDlgLayout();
    void fromNothingToAWorkspaceAndBack();

private:
    TMainForm& Start(bool withWorkspace = true);
    QModelIndex Class(int row) const { return Form->Model().index(row, 0); }
    QModelIndex Pupil(int classRow, int row) const {
        return Form->Model().index(row, 0, Class(classRow));
    }
    QModelIndex Node(int classRow, int pupilRow) const {
        return pupilRow < 0 ? Class(classRow) : Pupil(classRow, pupilRow);
    }
    QString Caption(const QModelIndex& node) const {
        return node.isValid() ? Form->Model().NodeAt(node)->Text : QString();
    }
    QAction* Action(const char* name) const { return F->Find<QAction>(name); }
    void AddClassWithSubjects(const QString& name, const QStringList& subjects);
    void AddPupil(const QString& surname, const QString& name);
    void ClickGrid(int column, int row) const;
    void TypeMark(int row, const QString& text) const;

    std::unique_ptr<TMainFormFixture> F;
    TMainForm* Form = nullptr;
};

TMainForm& TestMainFormCommands::Start(bool withWorkspace) {
    if (withWorkspace)
        F->WriteFile(QStringLiteral("tree.dat"), CommandsWorkspace());
    Form = &F->Start();
    F->Driver.Messages.clear();
    return *Form;
}

void TestMainFormCommands::init() {
    F = std::make_unique<TMainFormFixture>();
}

void TestMainFormCommands::cleanup() {
    Form = nullptr;
    F.reset();
}

void TestMainFormCommands::newClass_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button"); // none: Return in the name field
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("stored"); // none: no class added

    const QString refused = QStringLiteral("la classe '%1' existe déjà.\nOpération annulée.");
    QTest::newRow("other case refused")
        << u"cm1"_s << u"OkBtn"_s << refused.arg(u"cm1"_s) << QString();
    QTest::newRow("accented capitals refused")
        << u"éLÈVE"_s << u"OkBtn"_s << refused.arg(u"éLÈVE"_s) << QString();
    QTest::newRow("accents count") << u"Eleve"_s << u"OkBtn"_s << QString() << u"Eleve"_s;
    QTest::newRow("trailing blank counts") << u"CM1 "_s << u"OkBtn"_s << QString() << u"CM1 "_s;
    QTest::newRow("Return answers Ok") << u"CE2"_s << QString() << QString() << u"CE2"_s;
    QTest::newRow("cancelled") << u"CE2"_s << u"CancelBtn"_s << QString() << QString();
    QTest::newRow("empty") << QString() << u"OkBtn"_s << QString() << QString();
    QTest::newRow("empty with Return") << QString() << QString() << QString() << QString();
    QTest::newRow("blanks only") << u"  "_s << u"OkBtn"_s << QString() << u"  "_s;
    QTest::newRow("too long: shown as stored")
        << QString(300, u'x') << u"OkBtn"_s << QString() << QString(255, u'x');
}

void TestMainFormCommands::newClass() {
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(QString, message);
    QFETCH(QString, stored);
    TMainForm& form = Start();
    form.SelectNode(Pupil(0, 1));

    F->Driver.Scripted << (button.isEmpty() ? PressingReturn(typed)
                                            : TModalDriver::Typing({{"ClassEdt", typed}}, button));
    Action("FileNewClass")->trigger();

    QCOMPARE(F->Driver.Dialogs.value(0), u"ClassDlg"_s);
    QCOMPARE(F->Driver.Messages, message.isEmpty() ? QStringList() : QStringList{message});
    if (stored.isEmpty()) {
        QCOMPARE(form.Model().rowCount(), 2);
        QCOMPARE(form.SelectedNode(), Pupil(0, 1));
        return;
    }
    QCOMPARE(form.Model().rowCount(), 3);
    // The subject editor opens on the new class straight away.
    QCOMPARE(F->Driver.Dialogs.value(1), u"ModifyDlg"_s);
    QCOMPARE(form.SelectedNode(), Class(2));
    QCOMPARE(Caption(Class(2)), stored);
    QCOMPARE(form.SelectedData()->ClassName(), stored);
    QVERIFY(form.SelectedData()->Lines().isEmpty());
    auto* status = F->Find<TStatusBar>("StatusBar");
    QCOMPARE(status->PanelText(1), stored);
    QCOMPARE(status->PanelText(2), u"0 élève"_s);
    QVERIFY(!F->Find<TEditGrid>("Grid")->isVisible());
    QVERIFY(!F->Find<QLineEdit>("SurnameEdt")->isEnabled());

    if (typed.size() > stored.size()) {
        // The same long name again is the same stored name.
        F->Driver.Scripted << TModalDriver::Typing({{"ClassEdt", typed}}, u"OkBtn"_s);
        Action("FileNewClass")->trigger();
        QCOMPARE(F->Driver.Messages,
                 QStringList{u"la classe '%1' existe déjà.\nOpération annulée."_s.arg(stored)});
        QCOMPARE(form.Model().rowCount(), 3);
    }

    // What is shown is what the next start reads.
    const QStringList before = Snapshot(form.Model());
    QVERIFY(F->Quit(u"OkBtn"_s));
    Start(false);
    QCOMPARE(Snapshot(Form->Model()), before);
}

void TestMainFormCommands::newPupil_data() {
    QTest::addColumn<int>("classRow"); // -1: nothing selected
    QTest::addColumn<int>("pupilRow"); // -1: the class itself
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("shownClass");
    QTest::addColumn<QString>("selected");

    const QString longName = QString(300, u'z');
    const QString cut = u'Z' + QString(254, u'z');
    QTest::newRow("nothing selected: first class")
        << -1 << -1 << u"OkBtn"_s << u"DUPONT"_s << u"CM1"_s << u"Dupont Jean"_s;
    QTest::newRow("class without subjects")
        << 1 << -1 << u"OkBtn"_s << u"émile"_s << u"Élève"_s << u"émile Jean"_s;
    QTest::newRow("pupil: its class")
        << 1 << 0 << u"OkBtn"_s << u"DUPONT"_s << u"Élève"_s << u"Dupont Jean"_s;
    QTest::newRow("pupil, cancelled: its class stays")
        << 1 << 0 << u"CancelBtn"_s << u"DUPONT"_s << u"Élève"_s << u"Élève"_s;
    QTest::newRow("empty surname") << 0 << -1 << u"OkBtn"_s << QString() << u"CM1"_s << u" Jean"_s;
    QTest::newRow("surname cut") << 0 << 1 << u"OkBtn"_s << longName << u"CM1"_s
                                 << cut + u" Jean"_s;
}

void TestMainFormCommands::newPupil() {
    QFETCH(int, classRow);
    QFETCH(int, pupilRow);
    QFETCH(QString, button);
    QFETCH(QString, surname);
    QFETCH(QString, shownClass);
    QFETCH(QString, selected);
    TMainForm& form = Start();
    if (classRow >= 0)
        form.SelectNode(Node(classRow, pupilRow));
    const QModelIndex target = Class(std::max(classRow, 0));
    const int before = form.Model().rowCount(target);

    QString dialogClass;
    QString selectedMeanwhile;
    F->Driver.Scripted << TModalDriver::Typing(
        {{"SurnameEdt", surname}, {"NameEdt", u"jean"_s}, {"BirthdayEdt", u"3 mai 2016"_s}}, button,
        [&](QWidget& dialog) {
            dialogClass = dialog.findChild<QLabel*>(u"ClassPnl"_s)->text();
            selectedMeanwhile = Caption(form.SelectedNode());
            dialog.findChild<QComboBox*>(u"SexeCombo"_s)->setCurrentIndex(0);
        });
    form.FileNewPupilExecute();

    QCOMPARE(F->Driver.Dialogs, QStringList{u"PupilDlg"_s});
    QCOMPARE(dialogClass, shownClass);
    if (pupilRow >= 0)
        QCOMPARE(selectedMeanwhile, shownClass);
    QCOMPARE(Caption(form.SelectedNode()), selected);
    const bool added = button == u"OkBtn"_s;
    QCOMPARE(form.Model().rowCount(target), before + (added ? 1 : 0));
    if (!added)
        return;
    QCOMPARE(form.SelectedNode(), Pupil(target.row(), before));
    const TPData& record = *form.SelectedData();
    QCOMPARE(record.Surname() + u" Jean"_s, selected);
    QCOMPARE(record.BirthDay(), u"3 mai 2016"_s);
    QCOMPARE(record.Sexe(), u"Garçon"_s);
    QCOMPARE(record.ClassName(), shownClass);
    QVERIFY(record.Lines().isEmpty());
    const TPData& schoolClass = *form.Model().NodeAt(target)->Data;
    QCOMPARE(record.LevelCount(), int(schoolClass.Lines().size()));
    for (int i = 0; i < record.LevelCount(); ++i)
        QVERIFY(record.GetLevel(i) == DefaultLevel && record.GetMark(i) == NoMark);
}

void TestMainFormCommands::deleteSelections_data() {
    QTest::addColumn<int>("classRow");
    QTest::addColumn<int>("pupilRow"); // -1: the class
    QTest::addColumn<QString>("how");  // the command, or the tree's key
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QStringList>("left"); // what stays of CM1 and Élève

    const QString pupil = QStringLiteral("Vous êtes sur le point de supprimer l'élève '%1'.");
    const QString schoolClass =
        QStringLiteral("Vous êtes sur le point de supprimer la classe '%1' et tous ses élèves.");
    QTest::newRow("pupil: next sibling")
        << 0 << 0 << u"command"_s << u"OkBtn"_s << pupil.arg(u"Alpha A"_s) << u"Beta B"_s
        << QStringList{u"CM1"_s, u"Beta B"_s, u"Gamma C"_s, u"Élève"_s, u"Delta D"_s};
    QTest::newRow("last pupil: its class")
        << 0 << 2 << u"Delete"_s << u"OkBtn"_s << pupil.arg(u"Gamma C"_s) << u"CM1"_s
        << QStringList{u"CM1"_s, u"Alpha A"_s, u"Beta B"_s, u"Élève"_s, u"Delta D"_s};
    QTest::newRow("only pupil: its class")
        << 1 << 0 << u"Shift+Delete"_s << u"OkBtn"_s << pupil.arg(u"Delta D"_s) << u"Élève"_s
        << QStringList{u"CM1"_s, u"Alpha A"_s, u"Beta B"_s, u"Gamma C"_s, u"Élève"_s};
    QTest::newRow("class with its pupils: first class")
        << 0 << -1 << u"command"_s << u"OkBtn"_s << schoolClass.arg(u"CM1"_s) << u"Élève"_s
        << QStringList{u"Élève"_s, u"Delta D"_s};
    QTest::newRow("second class: first class")
        << 1 << -1 << u"Delete"_s << u"OkBtn"_s << schoolClass.arg(u"Élève"_s) << u"CM1"_s
        << QStringList{u"CM1"_s, u"Alpha A"_s, u"Beta B"_s, u"Gamma C"_s};
    QTest::newRow("cancelled") << 0 << 1 << u"command"_s << u"CancelBtn"_s << pupil.arg(u"Beta B"_s)
                               << u"Beta B"_s
                               << QStringList{u"CM1"_s,     u"Alpha A"_s, u"Beta B"_s,
                                              u"Gamma C"_s, u"Élève"_s,   u"Delta D"_s};
}

void TestMainFormCommands::deleteSelections() {
    QFETCH(int, classRow);
    QFETCH(int, pupilRow);
    QFETCH(QString, how);
    QFETCH(QString, button);
    QFETCH(QString, info);
    QFETCH(QString, selected);
    QFETCH(QStringList, left);
    TMainForm& form = Start();
    form.SelectNode(Node(classRow, pupilRow));
    auto* status = F->Find<TStatusBar>("StatusBar");

    QString shown;
    F->Driver.Scripted << TModalDriver::Typing({}, button, [&](QWidget& dialog) {
        shown = dialog.findChild<QLabel*>(u"InfoLbl"_s)->text();
        // Whatever the answer, the window is refreshed.
        status->SetPanelText(1, u"stale"_s);
    });
    if (how == u"command"_s)
        Action("FileDelete")->trigger();
    else
        QTest::keyClick(F->Find<TClassTreeView>("Tree"), Qt::Key_Delete,
                        how.startsWith(u"Shift") ? Qt::ShiftModifier : Qt::NoModifier);

    QCOMPARE(F->Driver.Dialogs, QStringList{u"DeleteDlg"_s});
    QCOMPARE(shown, info);
    QStringList captions;
    for (int c = 0; c < form.Model().rowCount(); ++c) {
        captions << Caption(Class(c));
        for (int p = 0; p < form.Model().rowCount(Class(c)); ++p)
            captions << Caption(Pupil(c, p));
    }
    QCOMPARE(captions, left);
    QCOMPARE(Caption(form.SelectedNode()), selected);
    QCOMPARE(status->PanelText(1), Form->Model().ClassAt(form.SelectedNode())->Text);
    QCOMPARE(F->Find<QLineEdit>("SurnameEdt")->isEnabled(), form.SelectedData()->IsPupil());
    QCOMPARE(F->Find<TEditGrid>("Grid")->isVisible(),
             !form.Model().ClassAt(form.SelectedNode())->Data->Lines().isEmpty());
}

void TestMainFormCommands::lastClassDeletedDisablesTheCommands() {
    TMainForm& form = Start();
    F->Driver.Answers << u"OkBtn"_s << u"OkBtn"_s;
    form.SelectNode(Class(1));
    Action("FileDelete")->trigger();
    QCOMPARE(form.SelectedNode(), Class(0));
    Action("FileDelete")->trigger();

    QCOMPARE(form.Model().rowCount(), 0);
    QVERIFY(!form.SelectedNode().isValid());
    for (const char* name : {"FileNewPupil", "FileDelete", "FilePrint", "FileModifyMatters"})
        QVERIFY2(!Action(name)->isEnabled(), name);
    QVERIFY(Action("FileNewClass")->isEnabled());
    QVERIFY(!F->Find<TEditGrid>("Grid")->isVisible());
    QVERIFY(!F->Find<QLineEdit>("SurnameEdt")->isEnabled());
    QVERIFY(F->Find<QLineEdit>("SurnameEdt")->text().isEmpty());

    // With nothing left, the Delete key and the new-pupil command ask nothing.
    QTest::keyClick(F->Find<TClassTreeView>("Tree"), Qt::Key_Delete);
    form.FileNewPupilExecute();
    QCOMPARE(F->Driver.Dialogs, (QStringList{u"DeleteDlg"_s, u"DeleteDlg"_s}));
    QVERIFY(F->Driver.Messages.isEmpty());
}

void TestMainFormCommands::deleteDlgLayout_data() {
    QTest::addColumn<QString>("info");
    QTest::addColumn<bool>("cut");

    const QString start = QStringLiteral("Vous êtes sur le point de supprimer ");
    QTest::newRow("one line") << start + u"l'élève 'A B'."_s << false;
    QTest::newRow("two lines")
        << start + u"la classe 'Cours moyen première année' et tous ses élèves."_s << false;
    QStringList words;
    for (int i = 0; i < 100; ++i)
        words << u"Dupont"_s;
    QTest::newRow("longest pupil") << start + u"l'élève '"_s + words.join(u' ') + u"'."_s << true;
}

void TestMainFormCommands::deleteDlgLayout() {
    QFETCH(QString, info);
    QFETCH(bool, cut);
    TDeleteDlg dialog;
    dialog.SetInfo(info);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    auto geometry = [&dialog](const char* name) {
        return dialog.findChild<QWidget*>(QString::fromLatin1(name))->geometry();
    };
    const QRect infoLbl = geometry("InfoLbl");
    const QRect fading = geometry("FadingLbl");
    const QRect ok = geometry("OkBtn");
    const QRect cancel = geometry("CancelBtn");
    const auto* label = dialog.findChild<QLabel*>(u"InfoLbl"_s);
    QCOMPARE(infoLbl.topLeft(), QPoint(64, 16));
    QCOMPARE(infoLbl.width(), 321);
    QCOMPARE(infoLbl.height() < label->heightForWidth(321), cut);
    QCOMPARE(dialog.width(), 64 + 321 + 8);
    QCOMPARE(fading.top(), infoLbl.bottom() + 1 + 5);
    QCOMPARE(ok.top(), fading.bottom() + 1 + 10);
    QCOMPARE(cancel.top(), ok.top());
    QCOMPARE(dialog.height(), std::clamp(ok.bottom() + 1 + 8, 120, 150));
    QVERIFY(ok.bottom() < dialog.height());
    QCOMPARE(ok.left(), (dialog.width() - 155) / 2);
    QCOMPARE(cancel.left(), ok.left() + 80);
    const QPixmap picture = dialog.findChild<QLabel*>(u"ConfirmIco"_s)->pixmap();
    QVERIFY(picture.hasAlphaChannel());
    QCOMPARE(picture.deviceIndependentSize(), QSizeF(48, 48));
    // Drawn for the screen's density, not scaled up.
    const QString drawn = dialog.devicePixelRatioF() > 1 ? u"confirm@2x.png"_s : u"confirm.png"_s;
    QCOMPARE(picture.toImage().convertToFormat(QImage::Format_ARGB32),
             QImage(u":/images/dialogs/"_s + drawn).convertToFormat(QImage::Format_ARGB32));
}

void TestMainFormCommands::AddClassWithSubjects(const QString& name, const QStringList& subjects) {
    F->Driver.Scripted << TModalDriver::Typing({{"ClassEdt", name}}, u"OkBtn"_s);
    Action("FileNewClass")->trigger();
    // The subjects as the subject editor would give them.
    auto record = std::make_unique<TPData>(TDataType::dtClass);
    record->SetClassName(Form->SelectedData()->ClassName());
    record->SetLines(subjects);
    std::vector<TWorkspaceEditor::TRecordChange> changes;
    changes.emplace_back(Form->SelectedNode(), std::move(record));
    Form->Editor().ReplaceRecords(u"Modifier les matières"_s, std::move(changes));
    Form->TreeChange();
}

void TestMainFormCommands::AddPupil(const QString& surname, const QString& name) {
    F->Driver.Scripted << TModalDriver::Typing({{"SurnameEdt", surname}, {"NameEdt", name}},
                                               u"OkBtn"_s);
    Action("FileNewPupil")->trigger();
}

void TestMainFormCommands::ClickGrid(int column, int row) const {
    auto* grid = F->Find<TEditGrid>("Grid");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(row - 1, column)).center());
}

void TestMainFormCommands::TypeMark(int row, const QString& text) const {
    auto* grid = F->Find<TEditGrid>("Grid");
    ClickGrid(grid->EditCol(), row);
    auto* editor = grid->findChild<QLineEdit*>(u"InplaceEdit"_s);
    QVERIFY(editor && editor->isVisible());
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Up);
}

void TestMainFormCommands::fromNothingToAWorkspaceAndBack() {
    TMainForm& form = Start(false);
    QCOMPARE(form.Model().rowCount(), 0);

    AddClassWithSubjects(u"CM1"_s, {u"$Français"_s, u"_Lecture"_s, u"$_Ecriture"_s, u"__Copie"_s,
                                    u"Mathématiques"_s});
    AddPupil(u"MARTIN"_s, u"léa"_s);
    ClickGrid(1, 2);
    TypeMark(2, u"15,5"_s);
    ClickGrid(3, 5);
    TypeText(F->Find<QPlainTextEdit>("RemarksMemo"), u"Bon travail."_s);
    form.SelectNode(Class(0));
    AddPupil(u"Petit"_s, u"Paul"_s);
    ClickGrid(2, 4);
    AddClassWithSubjects(u"CE2"_s, {u"Lecture"_s, u"Sciences"_s});
    AddPupil(u"Durand"_s, u"Zoé"_s);
    TypeMark(2, u"8"_s);
    QVERIFY(F->Driver.Messages.isEmpty());

    const QStringList before = Snapshot(form.Model());
    QCOMPARE(
        before,
        (QStringList{
            u"CM1|CM1|$Français/_Lecture/$_Ecriture/__Copie/Mathématiques"_s,
            u"Martin Léa|Martin|Léa||CM1|Je ne sais pas|4:-1 1:15.5 4:-1 4:-1 3:-1 |Bon travail."_s,
            u"Petit Paul|Petit|Paul||CM1|Je ne sais pas|4:-1 4:-1 4:-1 2:-1 4:-1 |"_s,
            u"CE2|CE2|Lecture/Sciences"_s,
            u"Durand Zoé|Durand|Zoé||CE2|Je ne sais pas|4:-1 4:8 |"_s}));
    QVERIFY(F->Quit(u"OkBtn"_s));
    Start(false);
    QCOMPARE(Snapshot(Form->Model()), before);
}

QTEST_MAIN(TestMainFormCommands)
#include "tst_mainform_commands.moc"
