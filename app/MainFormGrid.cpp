// The evaluation grid bound to the records: the layout for a class, the
// pupil's levels and marks or the class's summary, and the user's changes
// written back into the pupil's record.

#include "app/MainForm.h"

#include "app/CleanMark.h"
#include "app/MessageBoxes.h"
#include "data/ClassSummary.h"
#include "data/ColHints.h"
#include "data/NumberFormat.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceEditor.h"
#include "workspace/WorkspaceModel.h"

#include <QScopedValueRollback>

namespace {

constexpr int kMarkColumn = 5;
constexpr int kDisplayPrecision = 4;
const QString kCross = QStringLiteral(" X ");
const QColor kClassColor(128, 0, 0);
const QColor kPupilColor(0, 0, 128);

} // namespace

QString TMainForm::FormatMark(double mark) const {
    return FormatGeneral(mark, kDisplayPrecision, FEnvironment.Regional.DecimalSeparator);
}

void TMainForm::PrepareGrid(const TPData* classRecord) {
    const int subjects = classRecord ? int(classRecord->Lines().size()) : 0;
    if (subjects <= 0) {
        Grid->hide();
        return;
    }
    Grid->SetRowCount(subjects + 1);
    static const QString headers[] = {QString(),
                                      QStringLiteral("  A  "),
                                      QStringLiteral("  B  "),
                                      QStringLiteral("  C  "),
                                      QStringLiteral("  ?  "),
                                      QStringLiteral(" Note   ")};
    for (int column = 1; column <= kMarkColumn; ++column) {
        Grid->SetCells(column, 0, headers[column]);
        Grid->SetHeaderHints(column, column < kMarkColumn ? LevelHint(FColHints, column)
                                                          : FColHints[kMarkColumn]);
    }
    for (int i = 0; i < subjects; ++i)
        Grid->SetCells(0, i + 1, classRecord->Lines()[i]);
    Grid->FitColWidths();
    Grid->FitRowHeights();
    Grid->show();
}

void TMainForm::FillGrid(const QModelIndex& node) {
    const TNode* treeNode = FModel->NodeAt(node);
    if (!treeNode || !treeNode->Data)
        return;
    ShowGridComments(*treeNode->Data);
    if (treeNode->Data->IsClass()) {
        const auto& schoolClass = static_cast<const TClassNode&>(*treeNode);
        Grid->SetFontColor(kClassColor);
        PrepareGrid(schoolClass.Data.get());
        for (int i = 0; i < int(schoolClass.Data->Lines().size()); ++i)
            FillSummaryRow(schoolClass, i);
        Grid->SetCanEdit(false);
        return;
    }
    const TClassNode* schoolClass = FModel->ClassAt(node);
    if (!schoolClass || !schoolClass->Data)
        return;
    const TPData& pupil = *treeNode->Data;
    Grid->SetFontColor(kPupilColor);
    PrepareGrid(schoolClass->Data.get());
    for (int i = 0; i < int(schoolClass->Data->Lines().size()); ++i) {
        const int row = i + 1;
        const int level = pupil.GetLevel(i);
        for (int column = 1; column < kMarkColumn; ++column)
            Grid->SetCells(column, row, column == level ? kCross : QString());
        const double mark = pupil.GetMark(i);
        Grid->SetCells(kMarkColumn, row, mark >= 0 ? FormatMark(mark) : QString());
    }
    Grid->SetCanEdit(true);
}

void TMainForm::FillSummaryRow(const TClassNode& schoolClass, int subject) {
    const TSubjectSummary summary = SummarizeSubject(schoolClass, subject);
    const int row = subject + 1;
    for (int column = 1; column < kMarkColumn; ++column) {
        const int count = summary.LevelCounts[std::size_t(column - 1)];
        Grid->SetCells(column, row, count > 0 ? QString::number(count) : QString());
    }
    Grid->SetCells(kMarkColumn, row,
                   summary.MarkCount > 0 ? FormatMark(summary.Average()) : QString());
}

void TMainForm::GridModifyCheck(QObject*, int ARow, int Value) {
    // The grid shows the change already; other windows hear of it.
    const QScopedValueRollback writing(FGridWriting, true);
    FEditor->SetLevel(SelectedNode(), ARow - 1, Value);
}

void TMainForm::CommitPendingEdit() {
    Grid->CommitEdit();
}

void TMainForm::GridModifyEdit(QObject*, int ARow, const QString&) {
    const QScopedValueRollback writing(FGridWriting, true);
    const TPData* record = SelectedData();
    if (!record || !record->IsPupil())
        return;
    const int column = Grid->EditCol();
    const QString mark = CleanMark(Grid->Cells(column, ARow));
    Grid->SetCells(column, ARow, mark);
    if (mark.isEmpty()) {
        FEditor->SetMark(SelectedNode(), ARow - 1, NoMark);
        return;
    }
    if (const std::optional<double> value =
            ParseFloat(mark, FEnvironment.Regional.DecimalSeparator)) {
        FEditor->SetMark(SelectedNode(), ARow - 1, *value);
        return;
    }
    ShowMessage(this, mark + QStringLiteral(" n'est pas un nombre réel valide"));
    Grid->SetCells(column, ARow, FormatGeneral(-1, 15, FEnvironment.Regional.DecimalSeparator));
}
