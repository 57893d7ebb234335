#include "app/ClassEntryModel.h"

#include "data/ColHints.h"
#include "data/NumberFormat.h"
#include "data/SubjectLine.h"
#include "widgets/ClassEntryGrid.h"
#include "workspace/WorkspaceModel.h"

#include <QColor>

namespace {

constexpr int kDisplayPrecision = 4;
const QColor kPupilColor(0, 0, 128);
const QColor kSummaryColor(128, 0, 0);
const QColor kSummaryBackground(236, 236, 236);

QString SummaryLabel(int row) {
    return row < 4 ? QStringLiteral("Niveau ") + LevelLetter(row + 1) : QStringLiteral("Moyenne");
}

} // namespace

TClassEntryModel::TClassEntryModel(const TWorkspaceModel& tree, const QModelIndex& schoolClass,
                                   QChar decimalSeparator, QObject* parent)
    : QAbstractTableModel(parent)
    , FTree(tree)
    , FClass(schoolClass)
    , FDecimal(decimalSeparator) {
    ReadSubjects();
    Summarize();
}

const TClassNode* TClassEntryModel::Class() const {
    return FClass.isValid() ? FTree.ClassAt(FClass) : nullptr;
}

QModelIndex TClassEntryModel::PupilIndex(int row) const {
    return FTree.index(row, 0, FClass);
}

void TClassEntryModel::ReadSubjects() {
    FSubjects.clear();
    FHasHeadings = false;
    FPupilCount = 0;
    const TClassNode* schoolClass = Class();
    if (!schoolClass || !schoolClass->Data)
        return;
    FPupilCount = int(schoolClass->Pupils.size());
    const QStringList& lines = schoolClass->Data->Lines();
    std::vector<TSubjectLine> parsed;
    parsed.reserve(std::size_t(lines.size()));
    for (const QString& line : lines)
        parsed.push_back(ParseSubjectLine(line));
    for (int i = 0; i < lines.size(); ++i) {
        // The rows the main window's grid lets the teacher evaluate.
        if (lines[i].isEmpty() || lines[i].startsWith(u'$'))
            continue;
        TSubject subject{i, parsed[std::size_t(i)].Name, -1, QString()};
        // The nearest heading among its ancestors: an evaluated subject with
        // sub-subjects is a subject of its own, not a band.
        int depth = parsed[std::size_t(i)].Depth;
        for (int j = i - 1; j >= 0 && depth > 0; --j) {
            if (parsed[std::size_t(j)].Depth >= depth)
                continue;
            depth = parsed[std::size_t(j)].Depth;
            if (!parsed[std::size_t(j)].Evaluated) {
                subject.Heading = j;
                subject.HeadingName = parsed[std::size_t(j)].Name;
                FHasHeadings = true;
                break;
            }
        }
        FSubjects.push_back(subject);
    }
}

void TClassEntryModel::Summarize() {
    FSummaries.clear();
    const TClassNode* schoolClass = Class();
    if (!schoolClass)
        return;
    FSummaries.reserve(FSubjects.size());
    for (const TSubject& subject : FSubjects)
        FSummaries.push_back(SummarizeSubject(*schoolClass, subject.Line));
}

void TClassEntryModel::Rebuild() {
    beginResetModel();
    ReadSubjects();
    Summarize();
    endResetModel();
}

void TClassEntryModel::PupilsChanged(int first, int last) {
    if (FSubjects.empty() || first > last)
        return;
    Summarize();
    const int right = columnCount() - 1;
    Q_EMIT dataChanged(index(std::max(first, 0), 0), index(std::min(last, FPupilCount - 1), right));
    Q_EMIT dataChanged(index(FPupilCount, 0), index(FPupilCount + SummaryRows - 1, right));
    // A name changed on the pupil sheet.
    Q_EMIT headerDataChanged(Qt::Vertical, first, last);
}

int TClassEntryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || FSubjects.empty() ? 0 : FPupilCount + SummaryRows;
}

int TClassEntryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(FSubjects.size()) * 2;
}

QString TClassEntryModel::FormatMark(double mark) const {
    return mark >= 0 ? FormatGeneral(mark, kDisplayPrecision, FDecimal) : QString();
}

QVariant TClassEntryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int column = index.column();
    if (role == TClassEntryGrid::KindRole)
        return IsLevelColumn(column) ? TClassEntryGrid::LevelKind : TClassEntryGrid::MarkKind;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(IsLevelColumn(column) ? Qt::AlignCenter
                                                         : Qt::AlignRight | Qt::AlignVCenter);
    if (index.row() < FPupilCount)
        return PupilData(index.row(), column, role);
    return SummaryData(index.row() - FPupilCount, column, role);
}

QVariant TClassEntryModel::PupilData(int row, int column, int role) const {
    const TClassNode* schoolClass = Class();
    if (!schoolClass || row >= int(schoolClass->Pupils.size()))
        return {};
    const TNode& pupil = *schoolClass->Pupils[std::size_t(row)];
    if (!pupil.Data)
        return {};
    const TSubject& subject = FSubjects[std::size_t(column / 2)];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return IsLevelColumn(column) ? LevelLetter(pupil.Data->GetLevel(subject.Line))
                                     : FormatMark(pupil.Data->GetMark(subject.Line));
    case Qt::ForegroundRole:
        return kPupilColor;
    case Qt::ToolTipRole:
        return pupil.Data->GetComment(subject.Line);
    case TClassEntryGrid::NoteRole:
        // The mark of a comment is on the subject's mark cell, as in the
        // pupil's grid.
        return IsLevelColumn(column) ? QString() : pupil.Data->GetComment(subject.Line);
    case Qt::AccessibleTextRole: {
        // Read alone by a screen reader, the cell says whose, what and how.
        const double mark = pupil.Data->GetMark(subject.Line);
        const QString comment = pupil.Data->GetComment(subject.Line);
        return pupil.Text + QStringLiteral(", ") + subject.Name + QStringLiteral(" : ") +
               LevelLetter(pupil.Data->GetLevel(subject.Line)) +
               (mark >= 0 ? QStringLiteral(", note ") + FormatMark(mark)
                          : QStringLiteral(", sans note")) +
               (comment.isEmpty() ? QString() : QStringLiteral(", commentaire : ") + comment);
    }
    default:
        return {};
    }
}

QVariant TClassEntryModel::SummaryData(int row, int column, int role) const {
    const TSubjectSummary& summary = FSummaries[std::size_t(column / 2)];
    QString text;
    if (row < 4 && IsLevelColumn(column)) {
        const int count = summary.LevelCounts[std::size_t(row)];
        text = count > 0 ? QString::number(count) : QString();
    } else if (row == 4 && !IsLevelColumn(column)) {
        text = summary.MarkCount > 0 ? FormatMark(summary.Average()) : QString();
    }
    switch (role) {
    case Qt::DisplayRole:
        return text;
    case Qt::ForegroundRole:
        return kSummaryColor;
    case Qt::BackgroundRole:
        return kSummaryBackground;
    case Qt::AccessibleTextRole: {
        const QString& name = FSubjects[std::size_t(column / 2)].Name;
        if (row < 4 && IsLevelColumn(column))
            return name + QStringLiteral(" : %1 au niveau %2")
                              .arg(summary.LevelCounts[std::size_t(row)] == 1
                                       ? QStringLiteral("1 élève")
                                       : QStringLiteral("%1 élèves")
                                             .arg(summary.LevelCounts[std::size_t(row)]),
                                   LevelLetter(row + 1));
        if (row == 4 && !IsLevelColumn(column))
            return name + (text.isEmpty() ? QStringLiteral(" : pas de moyenne")
                                          : QStringLiteral(" : moyenne ") + text);
        return QString();
    }
    default:
        return {};
    }
}

bool TClassEntryModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.row() >= FPupilCount ||
        IsLevelColumn(index.column()))
        return false;
    // The records change through the window's history, which tells this
    // model back what it now holds.
    Q_EMIT MarkTyped(index.row(), SubjectLine(index.column()), value.toString());
    return true;
}

QVariant TClassEntryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
            return {};
        if (section >= FPupilCount)
            return SummaryLabel(section - FPupilCount);
        const TClassNode* schoolClass = Class();
        if (!schoolClass || section >= int(schoolClass->Pupils.size()))
            return {};
        return schoolClass->Pupils[std::size_t(section)]->Text;
    }
    if (section < 0 || section >= columnCount())
        return {};
    const TSubject& subject = FSubjects[std::size_t(section / 2)];
    switch (role) {
    case Qt::DisplayRole:
        return subject.Name;
    case Qt::AccessibleTextRole:
        return subject.Name +
               (IsLevelColumn(section) ? QStringLiteral(", niveau") : QStringLiteral(", note"));
    case TClassEntryGrid::KindRole:
        return IsLevelColumn(section) ? TClassEntryGrid::LevelKind : TClassEntryGrid::MarkKind;
    case TClassEntryGrid::SubjectRole:
        return section / 2;
    case TClassEntryGrid::BandRole:
        return subject.HeadingName;
    case TClassEntryGrid::BandGroupRole:
        return subject.Heading;
    case TClassEntryGrid::HasBandsRole:
        return FHasHeadings;
    default:
        return {};
    }
}

Qt::ItemFlags TClassEntryModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= FPupilCount)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!IsLevelColumn(index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}
