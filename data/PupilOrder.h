#pragma once

#include "data/Workspace.h"

#include <vector>

// The order a French reader sorts a class's pupils in: by surname, then by
// first name, neither accents nor letter case changing the order ("Élodie"
// sorts with "E"); pupils that read the same keep their order. The result
// gives, for each new row, the pupil's present row.
std::vector<int> FrenchPupilOrder(const TClassNode& schoolClass);
