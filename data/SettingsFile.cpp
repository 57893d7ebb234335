#include "data/SettingsFile.h"

#include "data/Cp1252.h"
#include "data/TextLines.h"

#include <limits>

TSettingsFile::TSettingsFile(QByteArrayView windows1252) {
    for (QByteArrayView line : SplitLines(windows1252)) {
        const qsizetype equals = line.indexOf('=');
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
