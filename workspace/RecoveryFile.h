#pragma once

#include "data/RegionalSettings.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

class TWorkspaceModel;
struct TClassNode;

// Keeps the workspace's unsaved state in a recovery file beside the
// workspace file, so that a kill, a crash or a power cut loses at most the
// last two seconds of work.
//
// The file is a whole workspace file, read back by the workspace's own
// reader. It is written at most once a second, one second after the first
// change since the last write. Each class's part of the file is encoded
// again only when the model says that class changed, and the parts are
// joined and written (atomically, synced) on a thread of its own: a step of
// the history never waits for the disk, nor for the classes it left alone.
class TRecoveryFile : public QObject {
public:
    TRecoveryFile(TWorkspaceModel& model, QString path, TRegionalSettings regional,
                  std::function<QDate()> today);
    ~TRecoveryFile() override;

    const QString& Path() const { return FPath; }

    // Unsaved changes: keep the file up to date. None: remove it.
    void SetUnsaved(bool unsaved);
    // Writes what is pending now and waits until the file is complete
    // (the program is about to be ended).
    void Flush();
    // Waits until the writer is idle (tests and benchmarks).
    void Wait();

    // The work done at each write, without the disk: the parts of the file
    // as they stand (for the benchmarks).
    QList<QByteArray> Parts();

private:
    void ClassChanged(const TClassNode* schoolClass);
    void Schedule();
    void WriteNow();
    void Post(std::optional<QList<QByteArray>> parts);
    void Run();

    TWorkspaceModel& FModel;
    QString FPath;
    TRegionalSettings FRegional;
    std::function<QDate()> FToday;
    bool FUnsaved = false;
    QTimer FDelay;
    QHash<const TClassNode*, QByteArray> FEncoded;

    // The writer thread's one job: the latest parts to write, or nothing
    // to remove the file.
    std::mutex FMutex;
    std::condition_variable FWake;
    std::condition_variable FIdle;
    bool FHasJob = false;
    bool FBusy = false;
    bool FStop = false;
    std::optional<QList<QByteArray>> FJob;
    std::thread FWriter;
};
