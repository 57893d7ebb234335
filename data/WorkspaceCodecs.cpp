#include "data/WorkspaceCodecs.h"

#include "data/Cp1252.h"
#include "data/NumberFormat.h"

#include <algorithm>
#include <cstring>

namespace {

qsizetype Find(QStringView text, char c) {
    return text.indexOf(QLatin1Char(c));
}

qsizetype Find(QByteArrayView text, char c) {
    // Straight to the C library: these are short searches, millions of them.
    const void* found =
        text.isEmpty() ? nullptr : std::memchr(text.data(), c, std::size_t(text.size()));
    return found ? static_cast<const char*>(found) - text.data() : -1;
}

QString ToQString(QStringView text) {
    return text.toString();
}

QString ToQString(QByteArrayView windows1252) {
    return Cp1252::Decode(windows1252);
}

template <typename View> void DecodeListIn(View text, TPData& record) {
    qsizetype bar;
    while ((bar = Find(text, '|')) >= 0) {
        record.AppendLine(ToQString(text.first(bar)));
        text = text.sliced(bar + 1);
    }
}

char16_t CodeOf(QChar c) {
    return c.unicode();
}

// Bytes of the code page's upper half come out above '9', as they should.
char16_t CodeOf(char c) {
    return char16_t(static_cast<unsigned char>(c));
}

// The level of nearly every entry is a digit or two before the ":": read
// such a level at once, and give any other text to the general reader.
template <typename View> std::optional<int> ParseLevel(View text) {
    constexpr int kPlainDigits = 9; // always fits an int
    if (text.isEmpty() || text.size() > kPlainDigits)
        return ParseInt(text);
    int level = 0;
    for (const auto c : text) {
        const char16_t code = CodeOf(c);
        if (code < u'0' || code > u'9')
            return ParseInt(text);
        level = level * 10 + (code - u'0');
    }
    return level;
}

template <typename View> bool DecodeLevelsIn(View text, TPData& record, QChar decimalSeparator) {
    record.ReserveLevels(int(std::count(text.begin(), text.end(), u'|')));
    int index = 0;
    qsizetype bar;
    while ((bar = Find(text, '|')) >= 0) {
        // An entry without ":" reads a level that is not a number, whether
        // or not a later entry has one.
        const View entry = text.first(bar);
        const qsizetype colon = Find(entry, ':');
        if (colon < 0)
            return false;
        const std::optional<int> level = ParseLevel(entry.first(colon));
        if (!level)
            return false;
        record.SetLevel(index, *level);
        const std::optional<double> mark = ParseFloat(entry.sliced(colon + 1), decimalSeparator);
        if (!mark)
            return false;
        record.SetMark(index, *mark);
        text = text.sliced(bar + 1);
        ++index;
    }
    return true;
}

template <typename View> View ValueIn(View line) {
    const qsizetype equals = Find(line, '=');
    return equals < 0 ? line : line.sliced(equals + 1);
}

} // namespace

void AppendList(QString& out, const QStringList& lines) {
    for (const QString& line : lines) {
        out += line;
        out += u'|';
    }
}

QString EncodeList(const QStringList& lines) {
    QString text;
    AppendList(text, lines);
    return text;
}

void DecodeList(QStringView text, TPData& record) {
    DecodeListIn(text, record);
}

void DecodeList(QByteArrayView windows1252, TPData& record) {
    DecodeListIn(windows1252, record);
}

void AppendLevels(QString& out, const TPData& record, QChar decimalSeparator) {
    for (int i = 0; i < record.LevelCount(); ++i) {
        AppendInteger(out, record.GetLevel(i));
        out += u':';
        AppendGeneral(out, record.GetMark(i), 15, decimalSeparator);
        out += u'|';
    }
}

QString EncodeLevels(const TPData& record, QChar decimalSeparator) {
    QString text;
    AppendLevels(text, record, decimalSeparator);
    return text;
}

bool DecodeLevels(QStringView text, TPData& record, QChar decimalSeparator) {
    return DecodeLevelsIn(text, record, decimalSeparator);
}

bool DecodeLevels(QByteArrayView windows1252, TPData& record, QChar decimalSeparator) {
    return DecodeLevelsIn(windows1252, record, decimalSeparator);
}

QStringView ValueOf(QStringView line) {
    return ValueIn(line);
}

QByteArrayView ValueOf(QByteArrayView line) {
    return ValueIn(line);
}
