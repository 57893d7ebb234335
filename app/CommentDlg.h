#pragma once

#include <QString>

#include <optional>

class QWidget;
class TPData;

// Asks for a pupil's comment on a subject, showing the one there is; the
// text typed, or nothing when the teacher cancels.
std::optional<QString> AskComment(QWidget* parent, const TPData& pupil, int subject,
                                  const QString& subjectName);
