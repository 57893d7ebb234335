#pragma once

#include "data/PData.h"

#include <QByteArrayView>
#include <QString>

// The optional line of a pupil's block that holds its comments per subject,
// written after "Remarks=" and only for a pupil with at least one comment,
// so that other files stay byte for byte as they were:
//
//   Comments=|revoir les tables de 7||
//
// one entry per evaluation, in the order of "Levels=", each followed by
// "|", empty where there is none. A reader that does not know the line
// takes it for a note between blocks.
bool IsCommentsLine(QByteArrayView line);
// Stores the entries of the value for the subject lines the record has
// evaluations for; the rest is ignored.
void DecodeComments(QByteArrayView value, TPData& record);
// The whole line, key included.
QString CommentsLine(const TPData& record);
