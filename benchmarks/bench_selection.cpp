// How long the main window takes to show another selection: the refresh of
// the pupil sheet, the grid and the status bar, the grid painted at once, then
// the rest of the window, for a class of 40 pupils and 200 subject lines.
// Going from pupil to pupil fills the grid with levels and marks; going
// between a pupil and the class also computes the class's summary. A frame
// at 60 Hz is 16 ms.
//
// Undoing or redoing a confirmed subject edit swaps back the records of the
// class and of all its pupils, then shows the class again: that too must fit
// in a frame.

#include "app/MainForm.h"
#include "app/WorkspaceEditor.h"
#include "app/WorkspaceModel.h"
#include "benchmarks/WorkspaceGenerator.h"
#include "data/SafeFile.h"
#include "data/TextLines.h"
#include "data/WorkspaceWriter.h"
#include "widgets/EditGrid.h"

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kPupils = 40;
constexpr int kSubjects = 200;
const QDate kDay(2026, 12, 6);

// Closes any message box the window opens, so that a set-up gone wrong is
// reported instead of waiting for a click.
class TMessageCatcher : public QObject {
public:
    TMessageCatcher() {
        connect(&FTimer, &QTimer::timeout, this, &TMessageCatcher::Poll);
        FTimer.start(10);
    }

    QStringList Messages;

private:
    void Poll() {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            Messages << box->text();
            box->reject();
        }
    }

    QTimer FTimer;
};

class TPaintCounter : public QObject {
public:
    explicit TPaintCounter(QWidget* widget) { widget->installEventFilter(this); }

    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        Count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// The main window started in a folder of its own holding one generated
// class, under French regional settings, in a window of 1000 × 740.
class TSelectionWindow {
public:
    TSelectionWindow() {
        const TRegionalSettings french =
            TRegionalSettings::FromLocale(QLocale(QLocale::French, QLocale::France));
        TWorkspace tree;
        tree.Classes.push_back(
            TWorkspaceGenerator().NewClass(QStringLiteral("CM2 B"), kSubjects, kPupils));
        Write(QStringLiteral("tree.dat"), EncodeWorkspace(tree, french, kDay));
        Write(QStringLiteral("quillorin.ini"),
              JoinLines({QStringLiteral("WindowState=wsNormal"), QStringLiteral("Left=10"),
                         QStringLiteral("Top=10"), QStringLiteral("Width=1000"),
                         QStringLiteral("Height=740"), QStringLiteral("TreeWidth=169"),
                         QStringLiteral("RemarksMemoHeight=57"),
                         QStringLiteral("ToolBarVisible=1")}));

        TEnvironment environment;
        environment.Folder = FFolder.path() + u'/';
        environment.Regional = french;
        environment.Today = [] {
            return kDay;
        };
        FForm = std::make_unique<TMainForm>(environment);
        FForm->ShowAtStart();
        FForm->TreeExpandAllExecute();
        if (!QTest::qWaitForWindowExposed(FForm.get()))
            FProblem = QStringLiteral("the main window was not exposed");
        FGrid = FForm->findChild<TEditGrid*>(QStringLiteral("Grid"));
        if (!FGrid)
            FProblem = QStringLiteral("the main window has no grid");
        if (!FMessages.Messages.isEmpty())
            FProblem = QStringLiteral("the main window said: ") + FMessages.Messages.join(u'\n');
    }

    const QString& Problem() const { return FProblem; }
    TMainForm& Form() const { return *FForm; }
    TEditGrid& Grid() const { return *FGrid; }
    QModelIndex ClassNode() const { return FForm->Model().index(0, 0); }
    QModelIndex Pupil(int row) const { return FForm->Model().index(row, 0, ClassNode()); }

private:
    void Write(const QString& name, const QByteArray& bytes) {
        if (WriteWholeFile(FFolder.filePath(name), bytes))
            FProblem = QStringLiteral("cannot write ") + name;
    }

    TMessageCatcher FMessages;
    QTemporaryDir FFolder;
    std::unique_ptr<TMainForm> FForm;
    TEditGrid* FGrid = nullptr;
    QString FProblem;
};

void AlternateSelection(benchmark::State& state, const TSelectionWindow& window,
                        const QModelIndex& first, const QModelIndex& second) {
    if (!window.Problem().isEmpty()) {
        state.SkipWithError(window.Problem().toStdString().c_str());
        return;
    }
    TPaintCounter paints(window.Grid().viewport());
    bool atFirst = false;
    for (auto _ : state) {
        atFirst = !atFirst;
        window.Form().SelectNode(atFirst ? first : second);
        window.Grid().repaint();
        // What else the change left to paint: the tree, the sheet, the status bar.
        QCoreApplication::processEvents();
    }
    if (window.Form().SelectedNode() != (atFirst ? first : second) ||
        window.Grid().RowCount() != kSubjects + 1) {
        state.SkipWithError("the grid does not show the selection");
        return;
    }
    state.counters["GridPaints"] =
        benchmark::Counter(paints.Count, benchmark::Counter::kAvgIterations);
}

// One confirmed subject edit of the class (one more subject line for the
// class and every pupil), then undone and redone in turn.
void UndoRedoSubjectEdit(benchmark::State& state, const TSelectionWindow& window) {
    if (!window.Problem().isEmpty()) {
        state.SkipWithError(window.Problem().toStdString().c_str());
        return;
    }
    TMainForm& form = window.Form();
    TWorkspaceModel& model = form.Model();
    form.SelectNode(window.ClassNode());
    std::vector<TWorkspaceEditor::TRecordChange> changes;
    auto classRecord = std::make_unique<TPData>(*model.NodeAt(window.ClassNode())->Data);
    classRecord->AppendLine(QStringLiteral("Histoire"));
    changes.emplace_back(window.ClassNode(), std::move(classRecord));
    for (int row = 0; row < kPupils; ++row) {
        auto record = std::make_unique<TPData>(*model.NodeAt(window.Pupil(row))->Data);
        record->SetLevelCount(kSubjects + 1);
        changes.emplace_back(window.Pupil(row), std::move(record));
    }
    form.Editor().ReplaceRecords(QStringLiteral("matières de la classe CM2 B"), std::move(changes));
    bool undone = false;
    for (auto _ : state) {
        undone = !undone;
        if (undone)
            form.Editor().Undo();
        else
            form.Editor().Redo();
        window.Grid().repaint();
        QCoreApplication::processEvents();
    }
    if (undone)
        form.Editor().Redo();
    form.Editor().Undo();
    if (window.Grid().RowCount() != kSubjects + 1 || form.SelectedNode() != window.ClassNode())
        state.SkipWithError("the grid does not show the class as it was");
}

} // namespace

int main(int argc, char** argv) {
    // The offscreen platform paints into memory as a screen would, with no
    // display needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    const TSelectionWindow window;
    benchmark::RegisterBenchmark("BM_SelectPupilThenPupil",
                                 [&](benchmark::State& state) {
                                     AlternateSelection(state, window, window.Pupil(0),
                                                        window.Pupil(1));
                                 })
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("BM_SelectPupilThenClass",
                                 [&](benchmark::State& state) {
                                     AlternateSelection(state, window, window.Pupil(0),
                                                        window.ClassNode());
                                 })
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(
        "BM_UndoRedoSubjectEdit",
        [&](benchmark::State& state) { UndoRedoSubjectEdit(state, window); })
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
