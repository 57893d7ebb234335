#pragma once

#include "data/ColHints.h"
#include "data/PData.h"
#include "data/RegionalSettings.h"

#include <QDate>
#include <QImage>
#include <QString>

#include <vector>

// What the sheet builders and the print dialog take from the main window,
// which implements it: the print folder never reaches into the window.
class TSheetSource {
public:
    virtual ~TSheetSource() = default;

    // The record selected in the tree (a class or a pupil), or null.
    virtual const TPData* SelectedRecord() const = 0;
    // The class record of the selected pupil, or the selected class itself.
    virtual const TPData* SelectedClass() const = 0;
    // The pupils of the selected class (or of the selected pupil's class),
    // in tree order.
    virtual std::vector<const TPData*> ClassPupils() const = 0;
    // The evaluation grid's text in a column (1 to 5) of a row (subject
    // index + 1), as the refresh left it for the selected class.
    virtual QString GridText(int column, int row) const = 0;
    // The status bar's panel texts (2: pupils, 3: subjects).
    virtual QString StatusText(int panel) const = 0;
    virtual const TColHints& ColumnHints() const = 0;
    // The grid's cross picture, drawn in the pupil's level column.
    virtual QImage CrossPicture() const = 0;
    // The day of the sheet's "Evaluation au" line, and the regional
    // settings that write it and the marks.
    virtual QDate Today() const = 0;
    virtual const TRegionalSettings& Regional() const = 0;
};
