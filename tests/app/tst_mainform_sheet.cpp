#include "MainFormFixture.h"

#include "widgets/Controls97.h"
#include "workspace/WorkspaceModel.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace {

QByteArray SheetWorkspace() {
    QStringList lines = {QStringLiteral("[Class]"), QStringLiteral("ClassName=CE2"),
                         QStringLiteral("Matters=a|")};
    const QStringList surnames = {QStringLiteral("Martin"), QStringLiteral("DUPONT"),
                                  QStringLiteral("Dupont"), QStringLiteral("DUPONT"),
                                  QStringLiteral("Autre")};
    const QStringList sexes = {QStringLiteral("Garçon"), QStringLiteral("garçon"),
                               QStringLiteral("F"), QStringLiteral("Fille"),
                               QStringLiteral("Je ne sais pas")};
    for (int i = 0; i < surnames.size(); ++i)
        lines << QStringLiteral("[Pupil]") << QStringLiteral("Surname=") + surnames[i]
              << QStringLiteral("Name=Jean") << QStringLiteral("BirthDay=1er mai")
              << QStringLiteral("Class=CE2") << QStringLiteral("Sexe=") + sexes[i]
              << QStringLiteral("Levels=1:-1|")
              << QStringLiteral("Remarks=ligne %1|seconde|").arg(i);
    return FileOf(lines);
}

} // namespace

class TestMainFormSheet : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void surnameKeepsItsForm_data();
    void surnameKeepsItsForm();
    void showingAPupilChangesNothing();
    void birthDayIsFreeText();
    void sexeChooser();
    void remarksAreKeptAcrossSelections();
    void classEmptiesAndDisablesTheSheet();
    void returnMovesToTheNextField();
    void textTheFileCannotHold();

private:
    QModelIndex Pupil(int row) const {
        return Form->Model().index(row, 0, Form->Model().index(0, 0));
    }
    TPData& Record(int row) const { return *Form->Model().NodeAt(Pupil(row))->Data; }
    QLineEdit* Edit(const char* name) const { return F->Find<QLineEdit>(name); }

    std::unique_ptr<TMainFormFixture> F;
    TMainForm* Form = nullptr;
};

void TestMainFormSheet::init() {
    F = std::make_unique<TMainFormFixture>();
    F->WriteFile(QStringLiteral("tree.dat"), SheetWorkspace());
    Form = &F->Start();
    Form->SelectNode(Pupil(0));
}

void TestMainFormSheet::cleanup() {
    F.reset();
}

void TestMainFormSheet::surnameKeepsItsForm_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("capitals") << QStringLiteral("JEAN-BAPTISTE") << QStringLiteral("Jean-Baptiste");
    QTest::newRow("mixed case kept")
        << QStringLiteral("de La Fontaine") << QStringLiteral("de La Fontaine");
    QTest::newRow("accented lower case") << QStringLiteral("éloïse") << QStringLiteral("Éloïse");
    QTest::newRow("accented capitals") << QStringLiteral("ÉLOÏSE") << QStringLiteral("Éloïse");
    QTest::newRow("outside the code page") << QStringLiteral("Łukasz") << QStringLiteral("Lukasz");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("300 characters")
        << QStringLiteral("A") + QString(299, u'B') << QStringLiteral("A") + QString(254, u'b');
}

void TestMainFormSheet::surnameKeepsItsForm() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QLineEdit* surname = Edit("SurnameEdt");
    surname->selectAll();
    QTest::keyClick(surname, Qt::Key_Delete);
    surname->insert(typed);
    QCOMPARE(Record(0).Surname(), stored);
    QCOMPARE(Pupil(0).data().toString(), stored + QStringLiteral(" Jean"));
    QCOMPARE(surname->text(), typed);
}

void TestMainFormSheet::showingAPupilChangesNothing() {
    // Names stored in capitals by another program stay as they are until
    // the user edits them; showing them is no change to undo.
    Form->SelectNode(Pupil(1));
    Form->SelectNode(Pupil(3));
    QCOMPARE(Record(1).Surname(), QStringLiteral("DUPONT"));
    QCOMPARE(Record(3).Surname(), QStringLiteral("DUPONT"));
    QCOMPARE(Pupil(3).data().toString(), QStringLiteral("DUPONT Jean"));
    QVERIFY(!F->Find<QAction>("EditUndo")->isEnabled());
}

void TestMainFormSheet::birthDayIsFreeText() {
    QLineEdit* birthday = Edit("BirthdayEdt");
    birthday->selectAll();
    birthday->insert(QStringLiteral("né en mai"));
    QCOMPARE(Record(0).BirthDay(), QStringLiteral("né en mai"));
}

void TestMainFormSheet::sexeChooser() {
    auto* combo = F->Find<QComboBox>("SexeCombo");
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(0), QStringLiteral("Garçon"));
    QCOMPARE(combo->itemText(2), QStringLiteral("Je ne sais pas"));
    auto images = [this](int row) {
        return std::pair(Pupil(row).data(TWorkspaceModel::ImageIndexRole).toInt(),
                         Pupil(row).data(TWorkspaceModel::SelectedIndexRole).toInt());
    };
    QCOMPARE(images(0), std::pair(4, 5));
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(Record(0).Sexe(), QStringLiteral("Fille"));
    QCOMPARE(images(0), std::pair(6, 7));
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(Record(0).Sexe(), QStringLiteral("Je ne sais pas"));
    QCOMPARE(images(0), std::pair(2, 3));
    // "garçon" is shown as "Garçon", while its images stay those of any other text.
    Form->SelectNode(Pupil(1));
    QCOMPARE(combo->currentText(), QStringLiteral("Garçon"));
    QCOMPARE(images(1), std::pair(6, 7));
    QCOMPARE(Record(1).Sexe(), QStringLiteral("garçon"));
    // A text that is none of the three shows nothing and stays as it is.
    Form->SelectNode(Pupil(2));
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(Record(2).Sexe(), QStringLiteral("F"));
}

void TestMainFormSheet::remarksAreKeptAcrossSelections() {
    auto* memo = F->Find<QPlainTextEdit>("RemarksMemo");
    QCOMPARE(memo->toPlainText(), QStringLiteral("ligne 0\nseconde"));
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Return);
    memo->insertPlainText(QStringLiteral("troisième\u00A0!"));
    QCOMPARE(Record(0).Lines(), (QStringList{QStringLiteral("ligne 0"), QStringLiteral("seconde"),
                                             QStringLiteral("troisième\u00A0!")}));
    Form->SelectNode(Pupil(1));
    QCOMPARE(Record(1).Lines(),
             (QStringList{QStringLiteral("ligne 1"), QStringLiteral("seconde")}));
    Form->SelectNode(Pupil(0));
    QCOMPARE(memo->toPlainText(), QStringLiteral("ligne 0\nseconde\ntroisième !"));
    QCOMPARE(Record(0).Lines().size(), 3);
    memo->selectAll();
    QTest::keyClick(memo, Qt::Key_Delete);
    QVERIFY(Record(0).Lines().isEmpty());
}

void TestMainFormSheet::classEmptiesAndDisablesTheSheet() {
    Form->SelectNode(Form->Model().index(0, 0));
    for (const char* name : {"SurnameEdt", "NameEdt", "BirthdayEdt"}) {
        QVERIFY(Edit(name)->text().isEmpty());
        QVERIFY(!Edit(name)->isEnabled());
    }
    QCOMPARE(F->Find<QComboBox>("SexeCombo")->currentIndex(), -1);
    QVERIFY(F->Find<QPlainTextEdit>("RemarksMemo")->toPlainText().isEmpty());
    for (const char* label : {"SurnameLbl", "NameLbl", "BirthDayLbl", "SexeLbl", "RemarksLbl"})
        QVERIFY2(!F->Find<QWidget>(label)->isEnabled(), label);
    QCOMPARE(Record(0).Surname(), QStringLiteral("Martin"));
    QCOMPARE(Record(0).Lines().size(), 2);
}

void TestMainFormSheet::returnMovesToTheNextField() {
    Form->activateWindow();
    Edit("SurnameEdt")->setFocus();
    QTRY_VERIFY(Edit("SurnameEdt")->hasFocus());
    const char* order[] = {"NameEdt", "BirthdayEdt", "SexeCombo"};
    for (const char* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), F->Find<QWidget>(next));
    }
}

void TestMainFormSheet::textTheFileCannotHold() {
    QLineEdit* name = Edit("NameEdt");
    name->selectAll();
    name->insert(QStringLiteral("Zoë Łucja 😀"));
    QCOMPARE(Record(0).Name(), QStringLiteral("Zoë ?ucja ?"));
    QCOMPARE(name->text(), QStringLiteral("Zoë Łucja 😀"));
    QCOMPARE(Pupil(0).data().toString(), QStringLiteral("Martin Zoë ?ucja ?"));
}

QTEST_MAIN(TestMainFormSheet)
#include "tst_mainform_sheet.moc"
