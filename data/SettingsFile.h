#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>

// Key lookup over a settings file. The file looks like an INI file, but
// sections take no part: the value of a key is the rest of the first line,
// anywhere in the file, whose text before its first "=" is the key, letter
// case ignored. A missing key has an empty value.
class TSettingsFile {
public:
    explicit TSettingsFile(QByteArrayView windows1252);

    QString Value(const QString& key) const;
    int Number(const QString& key) const;

    // Lines the reader could make nothing of: neither blank, nor a section,
    // nor "key=value" text (binary bytes, UTF-16, junk). A file with any is
    // kept as a copy before it is overwritten.
    int UnreadLines() const { return FUnreadLines; }
    bool ReadWhole() const { return FUnreadLines == 0; }

private:
    QHash<QString, QString> FValues; // by lower-case key
    int FUnreadLines = 0;
};

// The value of a text made only of the digits 0 to 9, otherwise 0. Digits
// that do not fit a 32-bit integer also read as 0, like every other value
// that cannot be taken, so that a damaged file still lets the program start.
int SettingNumber(const QString& text);

QString FlagText(bool flag);
