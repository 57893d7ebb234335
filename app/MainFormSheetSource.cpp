#include "app/MainFormSheetSource.h"

#include "app/MainForm.h"
#include "app/StatusBar.h"
#include "widgets/EditGrid.h"
#include "workspace/WorkspaceModel.h"

const TPData* TMainFormSheetSource::SelectedRecord() const {
    return FForm.SelectedData();
}

const TPData* TMainFormSheetSource::SelectedClass() const {
    const TClassNode* schoolClass = FForm.Model().ClassAt(FForm.SelectedNode());
    return schoolClass ? schoolClass->Data.get() : nullptr;
}

std::vector<const TPData*> TMainFormSheetSource::ClassPupils() const {
    std::vector<const TPData*> pupils;
    if (const TClassNode* schoolClass = FForm.Model().ClassAt(FForm.SelectedNode())) {
        for (const auto& pupil : schoolClass->Pupils) {
            if (pupil && pupil->Data)
                pupils.push_back(pupil->Data.get());
        }
    }
    return pupils;
}

QString TMainFormSheetSource::GridText(int column, int row) const {
    const TEditGrid& grid = FForm.EvaluationGrid();
    if (column < 0 || column >= grid.ColCount() || row < 0 || row >= grid.RowCount())
        return QString();
    return grid.Cells(column, row);
}

QString TMainFormSheetSource::StatusText(int panel) const {
    return FForm.StatusPanelText(panel);
}

const TColHints& TMainFormSheetSource::ColumnHints() const {
    return FForm.ColHints();
}

QImage TMainFormSheetSource::CrossPicture() const {
    return FForm.EvaluationGrid().CrossPicture();
}

QDate TMainFormSheetSource::Today() const {
    return FForm.Environment().Today ? FForm.Environment().Today() : QDate::currentDate();
}

const TRegionalSettings& TMainFormSheetSource::Regional() const {
    return FForm.Environment().Regional;
}
