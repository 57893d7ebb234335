#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

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

// Keeps the file's bytes under the day's name, when the file exists, and
// rotates the copies; the error text when the copy could not be made (the
// file itself is never touched). The copy is a second name for the file
// (a hard link) where the file system allows it: it takes no room, so it
// never takes the room the save that follows needs; the save replaces the
// file by a new one, and the link keeps the old bytes. Elsewhere (another
// file system, FAT) it is a copy.
std::optional<QString> KeepDatedCopy(const QString& path, QDate today, int kept = DatedCopiesKept);

struct TDatedCopy {
    QDate Day;
    QString Path;
};
// The file's dated copies in its copies folder, newest first.
std::vector<TDatedCopy> DatedCopiesOf(const QString& path);
