#pragma once

#include "print/SheetSource.h"

class TMainForm;

// What the print dialog and the sheet builders read of the main window: the
// selection, the grid and status bar texts as the refresh left them, the
// column hints, the cross picture, the day and the regional settings.
class TMainFormSheetSource : public TSheetSource {
public:
    explicit TMainFormSheetSource(const TMainForm& form)
        : FForm(form) {}

    const TPData* SelectedRecord() const override;
    const TPData* SelectedClass() const override;
    std::vector<const TPData*> ClassPupils() const override;
    QString GridText(int column, int row) const override;
    QString StatusText(int panel) const override;
    const TColHints& ColumnHints() const override;
    QImage CrossPicture() const override;
    QDate Today() const override;
    const TRegionalSettings& Regional() const override;

private:
    const TMainForm& FForm;
};
