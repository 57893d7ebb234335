#include "workspace/RecoveryFile.h"

#include "data/WorkspaceWriter.h"
#include "workspace/WorkspaceModel.h"

#include <QFile>
#include <QSaveFile>

#include <utility>

namespace {

// One second after the first change: with the write itself, well within
// the two seconds of work a crash may lose.
constexpr int kDelayMs = 1000;

} // namespace

TRecoveryFile::TRecoveryFile(TWorkspaceModel& model, QString path, TRegionalSettings regional,
                             std::function<QDate()> today)
    : FModel(model)
    , FPath(std::move(path))
    , FRegional(std::move(regional))
    , FToday(std::move(today)) {
    FDelay.setSingleShot(true);
    FDelay.setInterval(kDelayMs);
    connect(&FDelay, &QTimer::timeout, this, &TRecoveryFile::WriteNow);
    // Every change of the records goes through the model: its signals say
    // which class's part of the file no longer holds.
    connect(&model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex& last) {
                for (int row = first.row(); row <= last.row(); ++row)
                    ClassChanged(FModel.ClassAt(first.siblingAtRow(row)));
            });
    connect(&model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex& parent, int first, int last) {
                if (parent.isValid()) {
                    ClassChanged(FModel.ClassAt(parent));
                    return;
                }
                for (int row = first; row <= last; ++row)
                    ClassChanged(FModel.ClassAt(FModel.index(row, 0)));
            });
    connect(&model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& parent) {
        if (parent.isValid())
            ClassChanged(FModel.ClassAt(parent));
        Schedule();
    });
    // Whole changes: every part is encoded again.
    const auto forget = [this] {
        FEncoded.clear();
    };
    connect(&model, &QAbstractItemModel::modelAboutToBeReset, this, forget);
    connect(&model, &QAbstractItemModel::layoutAboutToBeChanged, this, forget);
    connect(&model, &QAbstractItemModel::rowsAboutToBeMoved, this, forget);
    FWriter = std::thread([this] { Run(); });
}

TRecoveryFile::~TRecoveryFile() {
    {
        std::lock_guard lock(FMutex);
        FStop = true;
    }
    FWake.notify_all();
    FWriter.join();
}

void TRecoveryFile::ClassChanged(const TClassNode* schoolClass) {
    FEncoded.remove(schoolClass);
    Schedule();
}

void TRecoveryFile::Schedule() {
    // Not restarted by the next change: steady typing still writes.
    if (FUnsaved && !FDelay.isActive())
        FDelay.start();
}

void TRecoveryFile::SetUnsaved(bool unsaved) {
    if (unsaved == FUnsaved)
        return;
    FUnsaved = unsaved;
    if (unsaved) {
        Schedule();
        return;
    }
    FDelay.stop();
    Post(std::nullopt);
}

QList<QByteArray> TRecoveryFile::Parts() {
    const TWorkspace& tree = FModel.Tree();
    QList<QByteArray> parts;
    parts.reserve(qsizetype(tree.Classes.size()) + 1);
    parts << EncodeWorkspaceHead(CountsOf(tree), FRegional, FToday());
    for (const auto& schoolClass : tree.Classes) {
        auto found = FEncoded.find(schoolClass.get());
        if (found == FEncoded.end())
            found = FEncoded.insert(schoolClass.get(), EncodeClassBlocks(*schoolClass, FRegional));
        parts << *found;
    }
    return parts;
}

void TRecoveryFile::WriteNow() {
    FDelay.stop();
    if (FUnsaved)
        Post(Parts());
}

void TRecoveryFile::Flush() {
    if (FDelay.isActive())
        WriteNow();
    Wait();
}

void TRecoveryFile::Wait() {
    std::unique_lock lock(FMutex);
    FIdle.wait(lock, [this] { return !FHasJob && !FBusy; });
}

void TRecoveryFile::Post(std::optional<QList<QByteArray>> parts) {
    {
        std::lock_guard lock(FMutex);
        // A job not yet started is replaced: only the latest state counts.
        FJob = std::move(parts);
        FHasJob = true;
    }
    FWake.notify_one();
}

void TRecoveryFile::Run() {
    std::unique_lock lock(FMutex);
    for (;;) {
        FWake.wait(lock, [this] { return FStop || FHasJob; });
        if (!FHasJob && FStop)
            return;
        std::optional<QList<QByteArray>> job = std::move(FJob);
        FHasJob = false;
        FBusy = true;
        lock.unlock();
        if (job) {
            // Written whole or not at all, and synced, through QSaveFile.
            // A failure leaves the previous recovery file: nothing to say
            // while the teacher works; the save says what is wrong.
            QSaveFile file(FPath);
            if (file.open(QIODevice::WriteOnly)) {
                bool written = true;
                for (const QByteArray& part : *job)
                    written = written && file.write(part) == part.size();
                if (written && file.flush())
                    file.commit();
                else
                    file.cancelWriting();
            }
        } else {
            QFile::remove(FPath);
        }
        lock.lock();
        FBusy = false;
        if (!FHasJob)
            FIdle.notify_all();
    }
}
