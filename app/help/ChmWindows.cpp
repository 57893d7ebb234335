#include "app/help/ChmWindows.h"

#include "app/help/ChmFile.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

// Byte offsets inside one window entry.
constexpr qsizetype NameField = 0x08;
constexpr qsizetype TitleField = 0x14;
constexpr qsizetype ContentsField = 0x60;
constexpr qsizetype IndexField = 0x64;
constexpr qsizetype DefaultTopicField = 0x68;
constexpr qsizetype HomeTopicField = 0x6C;
constexpr qsizetype LeastEntrySize = HomeTopicField + 4;

quint32 ReadUInt32(QByteArrayView data, qsizetype at) {
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | quint8(data[at + i]);
    return value;
}

QString ReadString(QByteArrayView strings, quint32 offset) {
    if (offset >= quint64(strings.size()))
        return {};
    QByteArrayView text = strings.sliced(offset);
    const qsizetype end = text.indexOf('\0');
    if (end >= 0)
        text.truncate(end);
    QStringDecoder decoder("windows-1252");
    return decoder(text);
}

} // namespace

QList<TWindowDefinition> ReadWindowDefinitions(QByteArrayView windows, QByteArrayView strings) {
    QList<TWindowDefinition> definitions;
    if (windows.size() < 8)
        return definitions;
    const quint64 count = ReadUInt32(windows, 0);
    const quint64 entrySize = ReadUInt32(windows, 4);
    if (entrySize < quint64(LeastEntrySize))
        return definitions;
    const quint64 available = (quint64(windows.size()) - 8) / entrySize;
    for (quint64 i = 0; i < std::min(count, available); ++i) {
        const QByteArrayView entry = windows.sliced(qsizetype(8 + i * entrySize), LeastEntrySize);
        const auto text = [&](qsizetype field) {
            return ReadString(strings, ReadUInt32(entry, field));
        };
        definitions.append({text(NameField), text(TitleField), text(ContentsField),
                            text(IndexField), text(DefaultTopicField), text(HomeTopicField)});
    }
    return definitions;
}

std::optional<TWindowDefinition> FindWindowDefinition(const TChmFile& file, const QString& name) {
    const TChmObject windows = file.Read(u"/#WINDOWS");
    const TChmObject strings = file.Read(u"/#STRINGS");
    if (!windows.Ok() || !strings.Ok())
        return std::nullopt;
    for (const TWindowDefinition& definition : ReadWindowDefinitions(windows.Data, strings.Data)) {
        if (definition.Name.compare(name, Qt::CaseInsensitive) == 0)
            return definition;
    }
    return std::nullopt;
}
