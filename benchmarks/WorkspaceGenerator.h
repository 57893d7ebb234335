#pragma once

#include "data/Workspace.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <random>

// Workspaces as teachers fill them, made up the same way on every run: French
// subject lists with headings and depths, pupils with their identity, a level
// for every subject, marks for some, and one to three lines of remarks.
class TWorkspaceGenerator {
public:
    explicit TWorkspaceGenerator(unsigned seed = 2026);

    // Headings ("$"), subjects and sub-subjects ("_", "__"), in the order of
    // a school report.
    QStringList SubjectLines(int count);
    std::unique_ptr<TClassNode> NewClass(const QString& name, int subjects, int pupils);
    TWorkspace NewWorkspace(int classes, int pupilsPerClass, int subjects);

private:
    std::unique_ptr<TNode> NewPupil(const TPData& classRecord);
    int Below(int bound);
    const QString& PickFrom(const QStringList& texts);

    std::mt19937 FRandom;
};
