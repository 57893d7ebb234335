#pragma once

#include <QMainWindow>
#include <QPersistentModelIndex>

class QLabel;
class TClassEntryGrid;
class TClassEntryModel;
class TWorkspaceEditor;
class TWorkspaceModel;

// "Saisie de la classe": a whole class's levels and marks in one grid,
// beside the main window. Every change goes through the workspace's one
// history; the window follows the tree: its title follows the class's name,
// it closes when the class goes, and it shows at once what changes
// elsewhere.
class TClassEntryForm : public QMainWindow {
    Q_OBJECT

public:
    TClassEntryForm(TWorkspaceModel& tree, TWorkspaceEditor& editor, const QModelIndex& schoolClass,
                    QChar decimalSeparator, QWidget* parent = nullptr);

    QModelIndex ClassIndex() const { return FClass; }
    TClassEntryGrid& Grid() const { return *FGrid; }
    TClassEntryModel& EntryModel() const { return *FEntries; }
    QString StatusText() const;

    // What the grid asks for, each one step of the history.
    void SetLevels(const QModelIndexList& cells, int level);
    void ClearCells(const QModelIndexList& cells);
    void Paste(const QModelIndex& at, const QString& text);
    void CommitMark(int pupil, int subjectLine, const QString& text);
    // The current cell's pupil and subject: its comment, asked for.
    void EditComment();

private:
    void BuildActions();
    void UpdateTitle();
    // The tree changed in shape, or the class's subjects did: read again,
    // keeping the current cell; close when the class is gone.
    void Rebuild();
    void TreeDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    void TreeRowsChanged(const QModelIndex& parent);

    TWorkspaceModel& FTree;
    TWorkspaceEditor& FEditor;
    QPersistentModelIndex FClass;
    QChar FDecimal;
    TClassEntryModel* FEntries;
    TClassEntryGrid* FGrid;
    QLabel* FStatus;
    QStringList FSubjectLines;
};
