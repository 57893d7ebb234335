#include "data/WorkspaceCodecs.h"

#include "data/Cp1252.h"
#include "data/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

template <typename View, typename Append> bool DecodeListIn(View text, Append append) {
    qsizetype bar;
    while ((bar = Find(text, '|')) >= 0) {
        append(text.first(bar));
        text = text.sliced(bar + 1);
    }
    return text.isEmpty();
}

char16_t CodeOf(QChar c) {
    return c.unicode();
}

// Bytes of the code page's upper half come out above '9', as they should.
char16_t CodeOf(char c) {
    return char16_t(static_cast<unsigned char>(c));
}

// Whether the text is the level as the writer puts it: its plain decimal.
template <typename View> bool WrittenAs(View text, int level) {
    char buffer[16];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, level);
    if (text.size() != written.ptr - buffer)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (CodeOf(text[i]) != char16_t(buffer[i]))
            return false;
    }
    return true;
}

// The level of nearly every entry is a digit or two before the ":": read
// such a level at once, and give any other text to the general reader.
template <typename View> std::optional<int> ParseLevel(View text, bool& exact) {
    constexpr int kPlainDigits = 9; // always fits an int
    if (!text.isEmpty() && text.size() <= kPlainDigits) {
        int level = 0;
        bool plain = true;
        for (const auto c : text) {
            const char16_t code = CodeOf(c);
            if (code < u'0' || code > u'9') {
                plain = false;
                break;
            }
            level = level * 10 + (code - u'0');
        }
        if (plain) {
            exact = text.size() == 1 || CodeOf(text[0]) != u'0';
            return level;
        }
    }
    const std::optional<int> level = ParseInt(text);
    exact = level && WrittenAs(text, *level);
    return level;
}

// Reads one entry, "level:mark" without its "|", as the number readers take
// it. False when it cannot be read; the level stays when only the mark
// failed.
template <typename View>
bool ReadEntry(View entry, int index, TPData& record, TDecodedLevels& decoded) {
    // An entry without ":" reads a level that is not a number, whether or
    // not a later entry has one.
    const qsizetype colon = Find(entry, ':');
    bool exact = true;
    const std::optional<int> level =
        colon < 0 ? std::nullopt : ParseLevel(entry.first(colon), exact);
    if (!level)
        return false;
    record.SetLevel(index, *level);
    decoded.Exact = decoded.Exact && exact;
    const std::optional<double> mark = ParseMark(entry.sliced(colon + 1), &exact);
    if (!mark)
        return false;
    record.SetMark(index, *mark);
    decoded.Exact = decoded.Exact && exact;
    return true;
}

template <typename View> TDecodedLevels DecodeLevelsIn(View text, TPData& record) {
    TDecodedLevels decoded;
    int index = 0;
    qsizetype bar;
    while ((bar = Find(text, '|')) >= 0) {
        if (!ReadEntry(text.first(bar), index++, record, decoded)) {
            decoded.Read = false;
            return decoded;
        }
        text = text.sliced(bar + 1);
    }
    decoded.Exact = decoded.Exact && text.isEmpty();
    return decoded;
}

// Exact as doubles, every one of them.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

bool IsDigit(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

// The entries nearly every file holds, "3:-1|" or "1:15,5|", read at once
// from the bytes: a level of at most 9 digits, a mark of at most 15 digits
// with either decimal separator, its "|". A "|" is known to come after the
// entry's start: every scan stops there at the latest, so none checks for
// the end of the text. Returns where the next entry starts, or null for
// anything else, which ReadEntry then takes.
const char* ReadPlainEntry(const char* p, int& level, double& mark, bool& exact) {
    constexpr int kLevelDigits = 9;
    constexpr int kMarkDigits = 15;
    constexpr double kSmallestFixed = 0.00001; // below, the writer uses an exponent
    const char* q = p;
    if (IsDigit(p[0]) && p[1] == ':') { // the levels of the grid, 1 to 4
        level = p[0] - '0';
        exact = true;
        q += 2;
    } else {
        level = 0;
        while (IsDigit(*q) && q - p < kLevelDigits)
            level = level * 10 + (*q++ - '0');
        if (q == p || *q != ':')
            return nullptr;
        exact = *p != '0';
        ++q;
    }
    // No mark, the most common entry of all.
    if (q[0] == '-' && q[1] == '1' && q[2] == '|') {
        mark = NoMark;
        return q + 3;
    }
    const bool negative = *q == '-';
    q += negative ? 1 : 0;
    const char* const first = q;
    std::int64_t digits = 0;
    while (IsDigit(*q) && q - first < kMarkDigits)
        digits = digits * 10 + (*q++ - '0');
    const auto integerDigits = int(q - first);
    if (integerDigits == 0)
        return nullptr;
    int decimals = 0;
    if (*q == ',' || *q == '.') {
        const char* const separator = q++;
        while (IsDigit(*q) && integerDigits + (q - separator - 1) < kMarkDigits)
            digits = digits * 10 + (*q++ - '0');
        decimals = int(q - separator - 1);
        if (decimals == 0)
            return nullptr;
    }
    if (*q != '|')
        return nullptr;
    const double magnitude = double(digits) / kPowersOfTen[decimals];
    if (magnitude != 0 && magnitude < kSmallestFixed)
        return nullptr;
    mark = negative ? -magnitude : magnitude;
    // The writer writes no leading or trailing zero, nor "-0".
    exact = exact && !(integerDigits > 1 && *first == '0') && !(decimals > 0 && q[-1] == '0') &&
            !(negative && magnitude == 0);
    return q + 1;
}

// A mark given in hundredths ("15,5", "12,25"), as nearly every mark is,
// written at once. The double nearest to n / 100, n of at most 15 digits, is
// one that the general format of 15 digits writes as n / 100 without its
// trailing zeros: no other decimal of 15 digits is as near to it. Returns
// null for any other mark.
char* WriteHundredths(char* dest, double mark, char separator) {
    constexpr double kLargest = 1e13;
    if (!(std::fabs(mark) < kLargest))
        return nullptr;
    const long long hundredths = std::llround(mark * 100);
    if (double(hundredths) / 100 != mark)
        return nullptr;
    const auto magnitude = static_cast<unsigned long long>(std::llabs(hundredths));
    if (hundredths < 0)
        *dest++ = '-';
    dest = std::to_chars(dest, dest + 20, magnitude / 100).ptr;
    *dest++ = separator;
    const auto rest = unsigned(magnitude % 100);
    *dest++ = char('0' + rest / 10);
    if (rest % 10 != 0)
        *dest++ = char('0' + rest % 10);
    return dest;
}

template <typename View> View ValueIn(View line) {
    const qsizetype equals = Find(line, '=');
    return equals < 0 ? line : line.sliced(equals + 1);
}

} // namespace

void AppendList(QByteArray& out, const QStringList& lines) {
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 1;
    const qsizetype start = out.size();
    out.resize(start + size);
    char* dest = out.data() + start;
    for (const QString& line : lines) {
        dest = Cp1252::EncodeInto(dest, line);
        *dest++ = '|';
    }
}

QString EncodeList(const QStringList& lines) {
    QByteArray bytes;
    AppendList(bytes, lines);
    return Cp1252::Decode(bytes);
}

bool DecodeList(QStringView text, TPData& record) {
    return DecodeListIn(text, [&record](QStringView line) { record.AppendLine(line.toString()); });
}

bool DecodeList(QByteArrayView windows1252, TPData& record) {
    // The file's bytes decode to what a line stores: cut at every "|", they
    // hold neither it nor a line break. The list is sized first: grown line
    // by line, it would be allocated, copied and freed again at every step.
    qsizetype lines = 0;
    for (qsizetype from = 0, bar; (bar = Find(windows1252.sliced(from), '|')) >= 0; ++lines)
        from += bar + 1;
    record.ReserveLines(lines);
    return DecodeListIn(windows1252, [&record](QByteArrayView line) {
        record.AppendReadLine(Cp1252::Decode(line));
    });
}

void AppendLevels(QByteArray& out, const TPData& record, QChar decimalSeparator) {
    // Room for the longest entry: an 11-character level, a mark of at most
    // 24 characters in the general format, ":" and "|".
    constexpr qsizetype kLongestEntry = 48;
    // Whole marks, "-1" for no mark above all, and marks in hundredths are
    // written at once; the others go through the general format.
    constexpr double kLargestPlain = 1e15;
    const bool plainSeparator = decimalSeparator == u',' || decimalSeparator == u'.';
    const char separator = char(decimalSeparator.unicode());
    QString general;
    const qsizetype start = out.size();
    out.resize(start + record.LevelCount() * kLongestEntry);
    char* dest = out.data() + start;
    for (int i = 0; i < record.LevelCount(); ++i) {
        dest = std::to_chars(dest, dest + 11, record.GetLevel(i)).ptr;
        *dest++ = ':';
        const double mark = record.GetMark(i);
        char* written = nullptr;
        if (mark == std::trunc(mark) && std::fabs(mark) < kLargestPlain)
            written = std::to_chars(dest, dest + 16, static_cast<long long>(mark)).ptr;
        else if (plainSeparator)
            written = WriteHundredths(dest, mark, separator);
        if (!written) {
            general.clear();
            AppendGeneral(general, mark, 15, decimalSeparator);
            written = Cp1252::EncodeInto(dest, general);
        }
        dest = written;
        *dest++ = '|';
    }
    out.resize(dest - out.data());
}

QString EncodeLevels(const TPData& record, QChar decimalSeparator) {
    QByteArray bytes;
    AppendLevels(bytes, record, decimalSeparator);
    return Cp1252::Decode(bytes);
}

TDecodedLevels DecodeLevels(QStringView text, TPData& record) {
    return DecodeLevelsIn(text, record);
}

TDecodedLevels DecodeLevels(QByteArrayView windows1252, TPData& record) {
    TDecodedLevels decoded;
    const char* p = windows1252.data();
    const char* const end = p + windows1252.size();
    // Entries are read up to the last "|"; text after it is dropped.
    const char* stop = end;
    while (stop != p && stop[-1] != '|')
        --stop;
    int index = 0;
    while (p != stop) {
        int level = 0;
        double mark = NoMark;
        bool exact = true;
        if (const char* next = ReadPlainEntry(p, level, mark, exact)) {
            if (index == record.LevelCount()) {
                record.AppendLevel(level, mark);
            } else {
                record.SetLevel(index, level);
                record.SetMark(index, mark);
            }
            decoded.Exact &= exact;
            p = next;
        } else {
            const auto* bar = static_cast<const char*>(std::memchr(p, '|', std::size_t(stop - p)));
            if (!ReadEntry(QByteArrayView(p, bar), index, record, decoded)) {
                decoded.Read = false;
                return decoded;
            }
            p = bar + 1;
        }
        ++index;
    }
    decoded.Exact = decoded.Exact && stop == end;
    return decoded;
}

QStringView ValueOf(QStringView line) {
    return ValueIn(line);
}

QByteArrayView ValueOf(QByteArrayView line) {
    return ValueIn(line);
}
