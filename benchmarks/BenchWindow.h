#pragma once

#include "app/MainForm.h"
#include "data/HeapTuning.h"
#include "workspace/WorkspaceModel.h"

#include <QApplication>
#include <QByteArray>
#include <QFont>
#include <QModelIndex>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <utility>
#include <vector>

class TBenchMessageCatcher;

// The main window started in a folder of its own holding one generated class
// of 40 pupils and 200 subject lines, under French regional settings, in a
// window of 1000 × 740. Whatever goes wrong on the way, a message box the
// window shows included, is told by Problem() instead of waiting for a click.
class TBenchWindow {
public:
    static constexpr int Pupils = 40;
    static constexpr int Subjects = 200;

    // The extra files are put in the folder before the window starts.
    explicit TBenchWindow(const std::vector<std::pair<QString, QByteArray>>& extraFiles = {});
    ~TBenchWindow();

    const QString& Problem() const { return FProblem; }
    TMainForm& Form() const { return *FForm; }
    QModelIndex ClassNode() const { return FForm->Model().index(0, 0); }
    QModelIndex Pupil(int row) const { return FForm->Model().index(row, 0, ClassNode()); }
    QString Path(const QString& name) const { return FFolder.filePath(name); }

private:
    void Write(const QString& name, const QByteArray& bytes);

    std::unique_ptr<TBenchMessageCatcher> FMessages;
    QTemporaryDir FFolder;
    std::unique_ptr<TMainForm> FForm;
    QString FProblem;
};

// A window benchmark's main: the offscreen platform (it paints into memory as
// a screen would, with no display needed) and a fixed font, then the window
// made once and the benchmarks registered on it.
template <typename Window, typename Register>
int RunWindowBenchmarks(int argc, char** argv, Register registerOn) {
    TuneHeapForWorkspaces();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Window window;
    registerOn(window);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
