#pragma once

#include "data/PData.h"

#include <QList>
#include <QLocale>
#include <QStringList>

#include <memory>
#include <vector>

// How a class's evaluations follow its subject lines when they change from
// oldMatters to newMatters. `origins` gives, for each new line, the old line
// it was edited from (-1 for a new line; none given: -1 for all). Each new
// line takes the evaluations of an old line:
// - of its origin, when it is still an evaluated subject at the same depth,
//   whatever its new name (a subject renamed keeps its evaluations);
// - else of the first old line equal to it, compared over the whole line
//   without regard to letter case (by the rules of the given locale);
// - none for a heading, an empty line or a line without either.
// The result has, for every new line, the index of that old line or -1.
std::vector<int> MapSubjectLines(const QStringList& oldMatters, const QStringList& newMatters,
                                 const QList<int>& origins, const QLocale& locale);

// A pupil's record after the change: the same identity and remarks, one
// entry per new line, taken from the old line the mapping gives.
std::unique_ptr<TPData> RemapPupil(const TPData& pupil, const std::vector<int>& mapping);
std::unique_ptr<TPData> RemapPupil(const TPData& pupil, const QStringList& oldMatters,
                                   const QStringList& newMatters, const QLocale& locale);

// The evaluations holding something (a level other than "?", a mark or a
// comment) that the change would reset: how many, and the names of their
// subjects in the old order.
struct TLostEvaluations {
    int Count = 0;
    QStringList Subjects;
};
TLostEvaluations LostEvaluations(const std::vector<const TPData*>& pupils,
                                 const QStringList& oldMatters, const std::vector<int>& mapping);

// "12 évaluations enregistrées seront effacées (Lecture, Géométrie). Continuer ?"
QString LostEvaluationsQuestion(const TLostEvaluations& lost);
