#pragma once

#include "data/Workspace.h"
#include "workspace/RecordCommands.h"

#include <QModelIndex>
#include <QString>
#include <QUndoStack>

#include <QLocale>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class TWorkspaceModel;

// Every change the teacher makes to the workspace, in one place: new
// classes and pupils, deletions, the records replaced by a confirmed
// subject edit, levels, marks and the pupil sheet. Each call is one step of
// the session's history, which can be undone and redone in order.
class TWorkspaceEditor {
public:
    using TRecordChange = std::pair<QModelIndex, std::unique_ptr<TPData>>;

    explicit TWorkspaceEditor(TWorkspaceModel& model)
        : FModel(model) {}

    // Appends the class after the last one; returns its index.
    QModelIndex AddClass(std::unique_ptr<TClassNode> schoolClass);
    // Appends the pupils after the last pupil of the class; returns the
    // index of the first one added.
    QModelIndex AddPupils(const QModelIndex& schoolClass,
                          std::vector<std::unique_ptr<TNode>> pupils);
    // Removes a class with all its pupils, or one pupil.
    void Remove(const QModelIndex& node);
    // Gives each node its new record, in one step named by the text.
    void ReplaceRecords(const QString& what, std::vector<TRecordChange> changes);
    // Replaces every class and pupil by the workspace's, in one step.
    void ReplaceWorkspace(const QString& what, TWorkspace workspace);

    // A pupil's evaluation of one subject line; nothing when it is unchanged.
    void SetLevel(const QModelIndex& pupil, int subject, int level);
    void SetMark(const QModelIndex& pupil, int subject, double mark);
    void SetComment(const QModelIndex& pupil, int subject, const QString& comment);
    // A field of the pupil sheet, given as the record is to store it, and
    // the remarks. Changes to one field make one step until EndTyping.
    void SetSheetField(const QModelIndex& pupil, TSheetField field, const QString& value);
    void SetRemarks(const QModelIndex& pupil, const QStringList& lines);
    void EndTyping() { ++FTyping; }

    // Many evaluations of one class's pupils in one step named by the text:
    // a level, a mark or both per pupil and subject line. No step when
    // nothing changes.
    struct TEvaluation {
        int Pupil = 0;
        int Subject = 0;
        std::optional<int> Level;
        std::optional<double> Mark;
    };
    void SetEvaluations(const QModelIndex& schoolClass, const std::vector<TEvaluation>& changes,
                        const QString& what);
    // The class's caption and name, and the class name of each of its pupils.
    void RenameClass(const QModelIndex& schoolClass, const QString& name);
    // The pupil goes to the end of the other class, keeping the level and
    // mark of each subject line that class also has; returns its new index.
    QModelIndex MovePupil(const QModelIndex& pupil, const QModelIndex& toClass,
                          const QLocale& locale);
    // The pupils in alphabetical order, as a French reader sorts; false when
    // they were in that order already.
    bool SortPupils(const QModelIndex& schoolClass);

    QUndoStack& History() { return FHistory; }
    void Undo();
    void Redo();
    // Called with the node each undone or redone step concerns.
    void SetShowNode(TShowNode show) { FShow = std::move(show); }

private:
    const TPData* PupilRecord(const QModelIndex& pupil) const;
    QString SubjectName(const QModelIndex& pupil, int subject) const;
    void Push(std::unique_ptr<QUndoCommand> command);

    TWorkspaceModel& FModel;
    QUndoStack FHistory;
    TShowNode FShow;
    int FTyping = 0;
};
