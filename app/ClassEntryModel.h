#pragma once

#include "data/ClassSummary.h"

#include <QAbstractTableModel>
#include <QPersistentModelIndex>
#include <QStringList>

#include <vector>

class TWorkspaceModel;
struct TClassNode;

// One class's pupils and evaluated subjects as the class entry grid shows
// them: a row per pupil in the tree's order, then the summary rows (pupils
// per level, average mark); a level and a mark column per evaluated subject
// in the class's order. It reads the records each time it is asked; the
// window tells it what changed (Rebuild, PupilsChanged).
class TClassEntryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int SummaryRows = 5;

    TClassEntryModel(const TWorkspaceModel& tree, const QModelIndex& schoolClass,
                     QChar decimalSeparator, QObject* parent = nullptr);

    QModelIndex ClassIndex() const { return FClass; }
    const TClassNode* Class() const;
    int PupilCount() const { return FPupilCount; }
    int SubjectCount() const { return int(FSubjects.size()); }
    // The line of the class's subject list that a column evaluates.
    int SubjectLine(int column) const { return FSubjects[std::size_t(column / 2)].Line; }
    QString SubjectName(int column) const { return FSubjects[std::size_t(column / 2)].Name; }
    static bool IsLevelColumn(int column) { return column % 2 == 0; }
    QModelIndex PupilIndex(int row) const;

    // The subjects, pupils or subject list changed: everything is read again.
    void Rebuild();
    // Those pupils' records changed: their rows and the summary.
    void PupilsChanged(int first, int last);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

Q_SIGNALS:
    // A mark typed into the cell and committed, as typed.
    void MarkTyped(int pupil, int subjectLine, const QString& text);

private:
    struct TSubject {
        int Line = 0;
        QString Name;
        int Heading = -1; // line of the heading it comes under
        QString HeadingName;
    };

    void ReadSubjects();
    void Summarize();
    QString FormatMark(double mark) const;
    QVariant PupilData(int row, int column, int role) const;
    QVariant SummaryData(int row, int column, int role) const;

    const TWorkspaceModel& FTree;
    QPersistentModelIndex FClass;
    QChar FDecimal;
    int FPupilCount = 0;
    std::vector<TSubject> FSubjects;
    std::vector<TSubjectSummary> FSummaries;
    bool FHasHeadings = false;
};
