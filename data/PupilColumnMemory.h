#pragma once

#include "data/PupilList.h"
#include "data/SettingsFile.h"

#include <QStringList>

#include <optional>
#include <vector>

// The columns the user last chose for a list with a given header row, so
// that the next list from the same software opens as they were left. Kept
// in the settings file ("ImportColumns1=" and on, most recent first), each
// header row as a digest: the file stays Windows-1252 whatever the headers.
class TPupilColumnMemory {
public:
    static constexpr int MaxEntries = 10;

    std::optional<TPupilColumns> Find(const QStringList& headers) const;
    void Remember(const QStringList& headers, const TPupilColumns& columns);
    bool IsEmpty() const { return FEntries.empty(); }

    static TPupilColumnMemory Read(const TSettingsFile& file);
    // The settings file's lines, without a section header.
    QStringList Lines() const;

private:
    struct TEntry {
        QString Key;
        TPupilColumns Columns;
    };
    std::vector<TEntry> FEntries;
};
