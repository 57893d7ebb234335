#include "MainFormFixture.h"

#include "subjects/ModifyDlg.h"
#include "widgets/Controls97.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceModel.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

// CM1 with two pupils, CE2 with subjects of its own.
QByteArray SubjectsWorkspace() {
    QStringList lines = {u"[Class]"_qs,
                         u"ClassName=CM1"_qs,
                         u"Matters=$Français|_Lecture|_Ecriture|Mathématiques|"_qs,
                         u"[Class]"_qs,
                         u"ClassName=CE2"_qs,
                         u"Matters=Histoire|"_qs};
    const QStringList levels = {u"4:-1|1:15,5|2:-1|3:12|"_qs, u"4:-1|2:-1|3:8|1:-1|"_qs};
    for (int i = 0; i < 2; ++i)
        lines << u"[Pupil]"_qs << u"Surname=P%1"_qs.arg(i) << u"Name=N"_qs << QString()
              << u"Class=CM1"_qs << u"Sexe=Fille"_qs << u"Levels="_qs + levels[i]
              << u"Remarks=Bien.|"_qs;
    return FileOf(lines);
}

using TLevels = QList<QPair<int, double>>;

TLevels LevelsOf(const TPData& pupil) {
    TLevels levels;
    for (int i = 0; i < pupil.LevelCount(); ++i)
        levels.append({pupil.GetLevel(i), pupil.GetMark(i)});
    return levels;
}

template <typename T> T* In(const QWidget& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

} // namespace

class TestMainFormSubjects : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void okRemapsEveryPupil();
    void cancelChangesNothing();
    void removeAllLeavesNoLevels();
    void opensOnlyOnAClass();

private:
    QModelIndex Class(int row) const { return F->Form->Model().index(row, 0); }
    TNode& Pupil(int row) const {
        return *F->Form->Model().NodeAt(F->Form->Model().index(row, 0, Class(0)));
    }
    const TPData& ClassRecord() const { return *F->Form->Model().NodeAt(Class(0))->Data; }
    void RunEditor(std::function<void(TModifyDlg&)> act);

    std::unique_ptr<TMainFormFixture> F;
};

void TestMainFormSubjects::init() {
    F = std::make_unique<TMainFormFixture>();
    F->WriteFile(u"tree.dat"_qs, SubjectsWorkspace());
    F->Start();
    F->Form->SelectNode(Class(0));
}

void TestMainFormSubjects::RunEditor(std::function<void(TModifyDlg&)> act) {
    bool seen = false;
    F->Driver.Next<TModifyDlg>([&](TModifyDlg& dialog) {
        seen = true;
        act(dialog);
    });
    F->Find<QAction>("FileModifyMatters")->trigger();
    QVERIFY(seen);
}

void TestMainFormSubjects::okRemapsEveryPupil() {
    const TPData* oldPupil = Pupil(0).Data.get();
    RunEditor([](TModifyDlg& dialog) {
        auto* combo = In<TComboBox97>(dialog, "ClassCombo");
        QCOMPARE(combo->count(), 1);
        QCOMPARE(combo->itemText(0), u"CE2"_qs);
        QCOMPARE(dialog.MemoLines(), (QStringList{u"$Français"_qs, u"_Lecture"_qs, u"_Ecriture"_qs,
                                                  u"Mathématiques"_qs}));
        dialog.SetMemoLines(
            {u"MATHÉMATIQUES"_qs, u"Français"_qs, u"_lecture"_qs, u"_Orthographe"_qs});
        In<QPushButton>(dialog, "AddAllBtn")->click();
        In<QPushButton>(dialog, "OkBtn")->click();
    });
    QCOMPARE(ClassRecord().Lines(), (QStringList{u"MATHÉMATIQUES"_qs, u"$Français"_qs,
                                                 u"_lecture"_qs, u"_Orthographe"_qs}));
    QCOMPARE(LevelsOf(*Pupil(0).Data), (TLevels{{3, 12}, {4, -1}, {1, 15.5}, {4, -1}}));
    QCOMPARE(LevelsOf(*Pupil(1).Data), (TLevels{{1, -1}, {4, -1}, {2, -1}, {4, -1}}));
    QVERIFY(Pupil(0).Data.get() != oldPupil);
    QCOMPARE(Pupil(0).Data->Surname(), u"P0"_qs);
    QCOMPARE(Pupil(0).Data->Lines(), QStringList{u"Bien."_qs});
    // The window shows the new subjects.
    QCOMPARE(F->Form->SelectedData(), &ClassRecord());
    QCOMPARE(F->Find<TEditGrid>("Grid")->RowCount(), 5);
}

void TestMainFormSubjects::cancelChangesNothing() {
    const TPData* oldClass = &ClassRecord();
    const QStringList oldLines = ClassRecord().Lines();
    const TPData* oldPupil = Pupil(0).Data.get();
    const TLevels oldLevels = LevelsOf(*oldPupil);
    RunEditor([](TModifyDlg& dialog) {
        In<QPushButton>(dialog, "RemoveAllBtn")->click();
        dialog.SetMemoLines({u"Autre"_qs});
        In<QPushButton>(dialog, "AddBtn")->click();
        In<QPushButton>(dialog, "CancelBtn")->click();
    });
    QCOMPARE(&ClassRecord(), oldClass);
    QCOMPARE(ClassRecord().Lines(), oldLines);
    QCOMPARE(Pupil(0).Data.get(), oldPupil);
    QCOMPARE(LevelsOf(*Pupil(0).Data), oldLevels);
}

void TestMainFormSubjects::removeAllLeavesNoLevels() {
    RunEditor([](TModifyDlg& dialog) {
        In<QPushButton>(dialog, "RemoveAllBtn")->click();
        In<QPushButton>(dialog, "OkBtn")->click();
    });
    QVERIFY(ClassRecord().Lines().isEmpty());
    QCOMPARE(Pupil(0).Data->LevelCount(), 0);
    QCOMPARE(Pupil(1).Data->LevelCount(), 0);
}

void TestMainFormSubjects::opensOnlyOnAClass() {
    F->Form->SelectNode(F->Form->Model().index(0, 0, Class(0)));
    const TPData* oldPupil = Pupil(0).Data.get();
    bool seen = false;
    F->Driver.Next<TModifyDlg>([&](TModifyDlg& dialog) {
        seen = true;
        dialog.reject();
    });
    F->Form->FileModifyMattersExecute();
    QTest::qWait(20);
    QVERIFY(!seen);
    QCOMPARE(Pupil(0).Data.get(), oldPupil);
}

QTEST_MAIN(TestMainFormSubjects)
#include "tst_mainform_subjects.moc"
