#pragma once

#include "data/PupilList.h"
#include "data/Workspace.h"

#include <QString>

#include <vector>

// What an import would do to a class: the rows to add, in the file's order,
// and those left out with the reason shown to the user.
struct TPlannedPupil {
    TPupilListEntry Entry; // the names as the record will store them
    QString Written;       // "Surname Name" as the file has it, when storing changes letters
};

struct TSkippedPupil {
    TPupilListEntry Entry;
    QString Reason;
};

struct TPupilImportPlan {
    std::vector<TPlannedPupil> Added;
    std::vector<TSkippedPupil> Skipped;
};

// A row is left out when its surname is empty, or when a pupil of the same
// surname, first name and date of birth (case and outer blanks aside) is
// already in the class or earlier in the list (dates compared by their day,
// two-digit years up to thisYear).
TPupilImportPlan PlanPupilImport(const TClassNode& schoolClass, const TPupilList& list,
                                 int thisYear);
