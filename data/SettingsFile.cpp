#include "data/SettingsFile.h"

#include "data/Cp1252.h"
#include "data/TextLines.h"

#include <algorithm>
#include <limits>

namespace {

// Text as a settings file holds it: no control character but the tab.
bool IsText(QByteArrayView line) {
    return std::none_of(line.begin(), line.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && byte != '\t') || byte == 0x7F;
    });
}

bool IsSection(QByteArrayView line) {
    const QByteArrayView text = line.trimmed();
    return text.startsWith('[') && text.endsWith(']');
}

} // namespace

TSettingsFile::TSettingsFile(QByteArrayView windows1252) {
    for (QByteArrayView line : SplitLines(windows1252)) {
        const qsizetype equals = line.indexOf('=');
        const bool understood =
            IsText(line) && (line.trimmed().isEmpty() || IsSection(line) || equals > 0);
        FUnreadLines += understood ? 0 : 1;
        if (equals < 0)
            continue;
        const QString key = Cp1252::Decode(line.first(equals)).toLower();
        if (!FValues.contains(key))
            FValues.insert(key, Cp1252::Decode(line.sliced(equals + 1)));
    }
}

QString TSettingsFile::Value(const QString& key) const {
    return FValues.value(key.toLower());
}

int TSettingsFile::Number(const QString& key) const {
    return SettingNumber(Value(key));
}

int SettingNumber(const QString& text) {
    if (text.isEmpty())
        return 0;
    long long value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return 0;
        value = value * 10 + (c.unicode() - u'0');
        if (value > std::numeric_limits<int>::max())
            return 0;
    }
    return int(value);
}

QString FlagText(bool flag) {
    return flag ? QStringLiteral("1") : QStringLiteral("0");
}
