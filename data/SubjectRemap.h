#pragma once

#include "data/PData.h"

#include <QLocale>
#include <QStringList>

#include <memory>

// A pupil's record after its class's subject lines changed from oldMatters
// to newMatters: the same identity and remarks, one entry per new line. An
// entry keeps the level, mark and comment of the first old line equal to its own,
// compared over the whole line without regard to letter case (by the rules
// of the given locale); a heading, an empty line or a line without an equal
// gets the default level and no mark.
std::unique_ptr<TPData> RemapPupil(const TPData& pupil, const QStringList& oldMatters,
                                   const QStringList& newMatters, const QLocale& locale);
