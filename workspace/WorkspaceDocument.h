#pragma once

#include "data/Messages.h"
#include "data/RegionalSettings.h"
#include "data/Workspace.h"
#include "data/WorkspaceReader.h"
#include "workspace/WorkspaceModel.h"

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QLockFile;
class QUndoStack;
class TRecoveryFile;
class TWorkspaceEditor;

// The open workspace: the records, their item model and their history, and
// the workspace file's life around them: the folder's lock, the load, the
// save with its dated copy and the copy of a file read only in part, and the
// recovery file kept while there are unsaved changes. The main window is its
// user; it shows what the document says and owns none of this.
class TWorkspaceDocument : public QObject {
    Q_OBJECT

public:
    TWorkspaceDocument(const QString& folder, TRegionalSettings regional,
                       std::function<QDate()> today, TNodeIcons icons);
    ~TWorkspaceDocument() override;

    TWorkspace& Workspace() { return FWorkspace; }
    TWorkspaceModel& Model() { return *FModel; }
    TWorkspaceEditor& Editor() { return *FEditor; }
    QUndoStack& History();

    QString FilePath() const { return FFolder + QStringLiteral("tree.dat"); }
    QString RecoveryPath() const { return FFolder + QStringLiteral("tree.recup"); }

    // Takes the folder for this program; false when another program that
    // is still running holds it (a dead holder's lock is taken over).
    bool Lock();

    // Reads the workspace file into the tree, through the sink for what the
    // reader has to say. Any failure ends the load with the error's text in
    // the result; what was read stays.
    const TLoadResult& Load(const TMessageSink& messages);
    // Takes the lock and, once it is taken and when `read` is set, reads the
    // workspace file, on another thread, so that the window is built
    // meanwhile. Lock then waits for that thread to end and gives the lock's
    // outcome; Load takes the tree read and says what the reader said, in
    // order.
    // Once, before Lock.
    void StartOpen(bool read);
    const TLoadResult& LoadResult() const { return FLoadResult; }

    // A recovery file left by a program that did not end normally.
    bool HasRecovery() const;
    // Brings the recovery file's workspace back as one step of the history,
    // unsaved; the error's text when the file cannot be read whole (it is
    // then left as it is).
    std::optional<QString> Recover();
    // Renames the recovery file to a dated name beside it; that path, or
    // the error's text.
    struct TAside {
        QString Path;
        std::optional<QString> Error;
    };
    TAside SetRecoveryAside(const QDateTime& now);

    // Replaces the workspace by a dated copy's, as one step of the history.
    std::optional<QString> Restore(const QString& path, const QString& stepName);

    // Writes the workspace file: the copy of a file read only in part first
    // (once), the dated copy, the file itself atomically; then the history
    // is marked saved and the recovery file removed. Notices are said to
    // the user even when the save succeeded; Error means nothing was saved.
    struct TSaveResult {
        QStringList Notices;
        std::optional<QString> Error;
    };
    TSaveResult Save();

    bool IsModified() const;
    // Completes the recovery file before the program is ended.
    void FlushRecovery();
    // The confirmed quit: releases the records; the recovery file goes.
    void Close();

    TRecoveryFile& Recovery() { return *FRecovery; }

Q_SIGNALS:
    void ModifiedChanged(bool modified);

private:
    std::optional<QString> KeepCopyOfDamagedFile(QStringList& notices);
    std::optional<QString> ReadWhole(const QString& path, TWorkspace& into) const;
    void Replace(TWorkspace other, const QString& stepName);

    QString FFolder;
    TRegionalSettings FRegional;
    std::function<QDate()> FToday;
    // Declared in the order they depend on each other: the history's steps
    // act through the model, the model reads the records.
    TWorkspace FWorkspace;
    std::unique_ptr<TWorkspaceModel> FModel;
    std::unique_ptr<TWorkspaceEditor> FEditor;
    std::unique_ptr<TRecoveryFile> FRecovery;
    std::unique_ptr<QLockFile> FLock;
    struct TPendingOpen;
    std::unique_ptr<TPendingOpen> FPendingOpen;
    TLoadResult FLoadResult;
    bool FCopyKept = false;
};
