#include "data/PupilColumnMemory.h"

#include <QCryptographicHash>

#include <algorithm>

namespace {

QString HeaderKey(const QStringList& headers) {
    return QString::fromLatin1(
        QCryptographicHash::hash(headers.join(u'\x1f').toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(20));
}

QString EntryKey(int entry) {
    return QStringLiteral("ImportColumns%1").arg(entry + 1);
}

} // namespace

std::optional<TPupilColumns> TPupilColumnMemory::Find(const QStringList& headers) const {
    const QString key = HeaderKey(headers);
    for (const TEntry& entry : FEntries) {
        if (entry.Key != key)
            continue;
        // A column the file no longer has is none.
        TPupilColumns columns = entry.Columns;
        for (int& index : columns.Index) {
            if (index >= headers.size())
                index = -1;
        }
        if (columns.BirthSurname >= headers.size())
            columns.BirthSurname = -1;
        return columns;
    }
    return std::nullopt;
}

void TPupilColumnMemory::Remember(const QStringList& headers, const TPupilColumns& columns) {
    const QString key = HeaderKey(headers);
    std::erase_if(FEntries, [&key](const TEntry& entry) { return entry.Key == key; });
    FEntries.insert(FEntries.begin(), {key, columns});
    if (FEntries.size() > std::size_t(MaxEntries))
        FEntries.resize(std::size_t(MaxEntries));
}

TPupilColumnMemory TPupilColumnMemory::Read(const TSettingsFile& file) {
    TPupilColumnMemory memory;
    for (int i = 0; i < MaxEntries; ++i) {
        const QStringList parts = file.Value(EntryKey(i)).split(u',');
        if (parts.size() != 6 || parts[0].size() != 20)
            continue;
        TEntry entry{parts[0], {}};
        bool valid = true;
        auto column = [&](const QString& text) {
            bool ok = false;
            const int index = text.toInt(&ok);
            valid = valid && ok && index >= -1 && index < MaxPupilListColumns;
            return index;
        };
        for (std::size_t field = 0; field < entry.Columns.Index.size(); ++field)
            entry.Columns.Index[field] = column(parts[qsizetype(field) + 1]);
        entry.Columns.BirthSurname = column(parts[5]);
        if (valid)
            memory.FEntries.push_back(entry);
    }
    return memory;
}

QStringList TPupilColumnMemory::Lines() const {
    QStringList lines;
    for (std::size_t i = 0; i < FEntries.size(); ++i) {
        const TPupilColumns& columns = FEntries[i].Columns;
        QStringList parts = {FEntries[i].Key};
        for (int index : columns.Index)
            parts << QString::number(index);
        parts << QString::number(columns.BirthSurname);
        lines << EntryKey(int(i)) + u'=' + parts.join(u',');
    }
    return lines;
}
