#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// Before a file is replaced, the version being replaced is kept in a
// "sauvegardes" folder beside it as "<name>-YYYY-MM-DD.<suffix>": one copy a
// day (a later save the same day replaces that day's copy), the most recent
// DatedCopiesKept kept, older ones removed.
constexpr int DatedCopiesKept = 30;

QString DatedCopiesFolder(const QString& path);
QString DatedCopyName(const QString& path, QDate day);

// Of the names in the folder, the dated copies of the file that fall beyond
// the `kept` most recent; other names are never listed.
QStringList DatedCopiesToRemove(const QString& path, const QStringList& names, int kept);

// Copies the file, when it exists, and rotates the copies; the error text
// when the copy could not be made (the file itself is never touched).
std::optional<QString> KeepDatedCopy(const QString& path, QDate today, int kept = DatedCopiesKept);
