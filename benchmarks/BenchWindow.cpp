#include "benchmarks/BenchWindow.h"

#include "benchmarks/WorkspaceGenerator.h"
#include "data/SafeFile.h"
#include "data/TextLines.h"
#include "data/WorkspaceWriter.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

const QDate kDay(2026, 12, 6);

} // namespace

class TBenchMessageCatcher : public QObject {
public:
    TBenchMessageCatcher() {
        connect(&FTimer, &QTimer::timeout, this, &TBenchMessageCatcher::Poll);
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

TBenchWindow::TBenchWindow(const std::vector<std::pair<QString, QByteArray>>& extraFiles)
    : FMessages(std::make_unique<TBenchMessageCatcher>()) {
    const TRegionalSettings french =
        TRegionalSettings::FromLocale(QLocale(QLocale::French, QLocale::France));
    TWorkspace tree;
    tree.Classes.push_back(
        TWorkspaceGenerator().NewClass(QStringLiteral("CM2 B"), Subjects, Pupils));
    Write(QStringLiteral("tree.dat"), EncodeWorkspace(tree, french, kDay));
    Write(QStringLiteral("quillorin.ini"),
          JoinLines({QStringLiteral("WindowState=wsNormal"), QStringLiteral("Left=10"),
                     QStringLiteral("Top=10"), QStringLiteral("Width=1000"),
                     QStringLiteral("Height=740"), QStringLiteral("TreeWidth=169"),
                     QStringLiteral("RemarksMemoHeight=57"), QStringLiteral("ToolBarVisible=1")}));
    for (const auto& [name, bytes] : extraFiles)
        Write(name, bytes);

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
    if (!FMessages->Messages.isEmpty())
        FProblem = QStringLiteral("the main window said: ") + FMessages->Messages.join(u'\n');
}

TBenchWindow::~TBenchWindow() = default;

void TBenchWindow::Write(const QString& name, const QByteArray& bytes) {
    if (WriteWholeFile(FFolder.filePath(name), bytes))
        FProblem = QStringLiteral("cannot write ") + name;
}
