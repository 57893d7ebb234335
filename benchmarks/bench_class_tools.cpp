// How long the pupil import and the statistics window take, in the main
// window holding a class of 40 pupils and 200 subject lines: importing a list
// of 40 pupils (read, preview accepted at once, pupils added to the tree), and
// the statistics window brought up to date and painted again. A frame at
// 60 Hz is 16 ms.

#include "app/MainForm.h"
#include "app/StatisticsForm.h"
#include "benchmarks/BenchWindow.h"
#include "data/SafeFile.h"
#include "data/TextLines.h"
#include "data/WorkspaceWriter.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPupils = TBenchWindow::Pupils;

QByteArray PupilList(int count) {
    QString text = QStringLiteral("Nom;Prénom;Date de naissance;Sexe\r\n");
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("NOUVEAU%1;élève%1;%2/09/2016;%3\r\n")
                    .arg(i)
                    .arg(1 + i % 28)
                    .arg(i % 2 ? QStringLiteral("F") : QStringLiteral("M"));
    return text.toUtf8();
}

// The benchmark window with a list of 40 new pupils beside it.
class TClassWindow : public TBenchWindow {
public:
    TClassWindow()
        : TBenchWindow({{QStringLiteral("liste.csv"), PupilList(kPupils)}}) {
        Form().SelectNode(ClassNode());
    }

    QString ListPath() const { return Path(QStringLiteral("liste.csv")); }
};

void ImportList(benchmark::State& state, TClassWindow& window) {
    if (!window.Problem().isEmpty()) {
        state.SkipWithError(window.Problem().toStdString().c_str());
        return;
    }
    TMainForm& form = window.Form();
    // The preview is accepted as soon as it shows.
    QTimer accept;
    QObject::connect(&accept, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    accept.start(0);
    for (auto _ : state) {
        form.ImportPupilsFrom(window.ListPath(), window.ClassNode());
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (form.Model().rowCount(window.ClassNode()) != 2 * kPupils) {
            state.SkipWithError("the list was not imported");
            return;
        }
        while (form.Model().rowCount(window.ClassNode()) > kPupils)
            form.Editor().Remove(form.Model().index(kPupils, 0, window.ClassNode()));
        form.SelectNode(window.ClassNode());
        state.ResumeTiming();
    }
}

void RedrawStatistics(benchmark::State& state, TClassWindow& window) {
    if (!window.Problem().isEmpty()) {
        state.SkipWithError(window.Problem().toStdString().c_str());
        return;
    }
    window.Form().SelectNode(window.ClassNode());
    window.Form().findChild<QAction*>(QStringLiteral("FileStatistics"))->trigger();
    TStatisticsForm* statistics = window.Form().StatisticsWindow();
    if (!statistics || !QTest::qWaitForWindowExposed(statistics)) {
        state.SkipWithError("the statistics window did not open");
        return;
    }
    statistics->resize(760, 600);
    for (auto _ : state) {
        statistics->Refresh();
        statistics->repaint();
        QCoreApplication::processEvents();
    }
}

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks<TClassWindow>(argc, argv, [](TClassWindow& window) {
        benchmark::RegisterBenchmark("BM_ImportListOf40Pupils",
                                     [&](benchmark::State& state) { ImportList(state, window); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(
            "BM_StatisticsRedraw200Subjects",
            [&](benchmark::State& state) { RedrawStatistics(state, window); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    });
}
