#include "data/Workspace.h"

int TWorkspace::PupilCount() const {
    int count = 0;
    for (const auto& schoolClass : Classes)
        count += int(schoolClass->Pupils.size());
    return count;
}

void FreeWorkspace(TWorkspace& tree) {
    for (const auto& schoolClass : tree.Classes) {
        schoolClass->Data.reset();
        for (const auto& pupil : schoolClass->Pupils)
            pupil->Data.reset();
    }
}
