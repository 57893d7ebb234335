#include "workspace/WorkspaceDocument.h"

#include "data/DatedCopies.h"
#include "data/SafeFile.h"
#include "data/WorkspaceWriter.h"
#include "workspace/RecoveryFile.h"
#include "workspace/WorkspaceEditor.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QUndoStack>

#include <exception>
#include <system_error>
#include <thread>
#include <utility>

// The folder's opening under way on its own thread: it writes only here
// until Lock or Load joins it (the thread joins itself if the document goes
// first).
struct TWorkspaceDocument::TPendingOpen {
    bool Locked = false;
    bool Read = false;
    TWorkspace Tree;
    TLoadResult Result;
    QStringList Said;
    std::jthread Worker;

    void Join() {
        if (Worker.joinable())
            Worker.join();
    }
};

TWorkspaceDocument::TWorkspaceDocument(const QString& folder, TRegionalSettings regional,
                                       std::function<QDate()> today, TNodeIcons icons)
    : FFolder(folder.endsWith(u'/') ? folder : folder + u'/')
    , FRegional(std::move(regional))
    , FToday(std::move(today))
    , FModel(std::make_unique<TWorkspaceModel>(FWorkspace, std::move(icons)))
    , FEditor(std::make_unique<TWorkspaceEditor>(*FModel))
    , FRecovery(std::make_unique<TRecoveryFile>(*FModel, RecoveryPath(), FRegional, FToday)) {
    connect(&History(), &QUndoStack::cleanChanged, this, [this](bool clean) {
        FRecovery->SetUnsaved(!clean);
        Q_EMIT ModifiedChanged(!clean);
    });
}

TWorkspaceDocument::~TWorkspaceDocument() {
    // The history empties itself as it goes, which its users need not hear.
    History().blockSignals(true);
}

QUndoStack& TWorkspaceDocument::History() {
    return FEditor->History();
}

namespace {

std::unique_ptr<QLockFile> FolderLock(const QString& folder) {
    auto lock = std::make_unique<QLockFile>(folder + QStringLiteral("tree.lock"));
    // Held as long as the program runs: only a dead holder makes it stale,
    // however old it is.
    lock->setStaleLockTime(0);
    return lock;
}

bool TakeLock(QLockFile& lock) {
    return lock.tryLock(0) || lock.error() != QLockFile::LockFailedError;
}

} // namespace

bool TWorkspaceDocument::Lock() {
    if (FPendingOpen) {
        FPendingOpen->Join();
        return FPendingOpen->Locked;
    }
    FLock = FolderLock(FFolder);
    return TakeLock(*FLock);
}

namespace {

void ReadWorkspace(const QString& path, TWorkspace& tree, const TRegionalSettings& regional,
                   const TMessageSink& messages, TLoadResult& result) {
    try {
        result = LoadWorkspace(path, tree, regional, messages);
    } catch (const std::exception& error) {
        // Whatever stopped the load, the file holds more than the tree now does.
        result.SetCutShort();
        result.Error = QString::fromUtf8(error.what());
    }
}

} // namespace

void TWorkspaceDocument::StartOpen(bool read) {
    auto pending = std::make_unique<TPendingOpen>();
    FLock = FolderLock(FFolder);
    try {
        // The lock is written through to the disk, which takes a while:
        // the window is built meanwhile.
        pending->Worker = std::jthread([into = pending.get(), lock = FLock.get(), read,
                                        path = FilePath(), regional = FRegional] {
            into->Locked = TakeLock(*lock);
            into->Read = into->Locked && read;
            if (into->Read)
                ReadWorkspace(
                    path, into->Tree, regional, [into](const QString& text) { into->Said << text; },
                    into->Result);
        });
    } catch (const std::system_error&) {
        // No thread to spare: Lock and Load do it all themselves.
        FLock.reset();
        return;
    }
    FPendingOpen = std::move(pending);
}

const TLoadResult& TWorkspaceDocument::Load(const TMessageSink& messages) {
    if (const std::unique_ptr<TPendingOpen> pending = std::move(FPendingOpen)) {
        pending->Join();
        if (pending->Read) {
            FModel->Reset([&](TWorkspace& tree) { tree = std::move(pending->Tree); });
            FLoadResult = std::move(pending->Result);
            for (const QString& text : std::as_const(pending->Said))
                messages(text);
            return FLoadResult;
        }
    }
    FModel->Reset([&](TWorkspace& tree) {
        ReadWorkspace(FilePath(), tree, FRegional, messages, FLoadResult);
    });
    return FLoadResult;
}

bool TWorkspaceDocument::HasRecovery() const {
    return QFileInfo::exists(RecoveryPath());
}

std::optional<QString> TWorkspaceDocument::ReadWhole(const QString& path, TWorkspace& into) const {
    const auto bytes = ReadWholeFile(path);
    if (!bytes)
        return OpenFileError(path);
    QStringList said;
    try {
        const TLoadResult result = LoadWorkspaceFromBytes(
            *bytes, into, FRegional, [&](const QString& text) { said << text; });
        if (result.Complete())
            return std::nullopt;
    } catch (const std::exception& error) {
        said << QString::fromUtf8(error.what());
    }
    said.prepend(QStringLiteral("Le fichier '%1' n'a pas pu être lu en entier.").arg(path));
    return said.join(u'\r');
}

void TWorkspaceDocument::Replace(TWorkspace other, const QString& stepName) {
    FEditor->ReplaceWorkspace(stepName, std::move(other));
}

std::optional<QString> TWorkspaceDocument::Recover() {
    TWorkspace recovered;
    if (auto error = ReadWhole(RecoveryPath(), recovered))
        return error;
    Replace(std::move(recovered), QStringLiteral("Récupération"));
    return std::nullopt;
}

TWorkspaceDocument::TAside TWorkspaceDocument::SetRecoveryAside(const QDateTime& now) {
    TAside aside;
    aside.Path =
        FFolder + QStringLiteral("tree.recup-") + now.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    if (!QFile::rename(RecoveryPath(), aside.Path))
        aside.Error = CreateFileError(aside.Path);
    return aside;
}

std::optional<QString> TWorkspaceDocument::Restore(const QString& path, const QString& stepName) {
    TWorkspace copy;
    if (auto error = ReadWhole(path, copy))
        return error;
    Replace(std::move(copy), stepName);
    return std::nullopt;
}

std::optional<QString> TWorkspaceDocument::KeepCopyOfDamagedFile(QStringList& notices) {
    // A file that was read only in part would lose the rest when written:
    // keep it as it was, once, and say where.
    if (FCopyKept || !FLoadResult.Found || FLoadResult.Complete())
        return std::nullopt;
    const QString path = FilePath();
    if (!QFileInfo::exists(path)) {
        FCopyKept = true;
        return std::nullopt;
    }
    const TCopyResult copy = KeepCopyOf(path);
    if (copy.Error)
        return copy.Error;
    FCopyKept = true;
    notices << QStringLiteral("Le fichier '%1' n'avait pas pu être lu en entier.\r"
                              "Une copie de son contenu d'origine est gardée dans '%2'.")
                   .arg(path, copy.CopyPath);
    return std::nullopt;
}

TWorkspaceDocument::TSaveResult TWorkspaceDocument::Save() {
    TSaveResult result;
    if ((result.Error = KeepCopyOfDamagedFile(result.Notices)))
        return result;
    const QDate today = FToday();
    // A copy that cannot be made never stops the save; it is said, once.
    if (auto error = KeepDatedCopy(FilePath(), today))
        result.Notices << QStringLiteral("La copie datée de '%1' n'a pas pu être faite.\r%2")
                              .arg(FilePath(), *error);
    if ((result.Error = SaveWorkspace(FilePath(), FWorkspace, FRegional, today)))
        return result;
    History().setClean();
    // Gone when the save returns, not a moment later.
    FRecovery->SetUnsaved(false);
    FRecovery->Wait();
    return result;
}

bool TWorkspaceDocument::IsModified() const {
    return !FEditor->History().isClean();
}

void TWorkspaceDocument::FlushRecovery() {
    FRecovery->Flush();
}

void TWorkspaceDocument::Close() {
    FRecovery->SetUnsaved(false);
    FRecovery->Wait();
    FModel->Reset([](TWorkspace& tree) { FreeWorkspace(tree); });
}
