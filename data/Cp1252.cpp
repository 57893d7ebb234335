#include "data/Cp1252.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char kReplacement = '?';

// The byte for a character, or -1 when the code page has none.
int ByteOf(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c)
            return int(0x80 + i);
    }
    return -1;
}

// Whether any byte is one of 0x80 to 0x9F (its top three bits 100), eight
// bytes at a time: the bytes that are then zero are found as in strlen.
bool HasHighControls(QByteArrayView bytes) {
    constexpr std::uint64_t kTopBits = 0xE0E0E0E0E0E0E0E0;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    for (; end - p >= 8; p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        const std::uint64_t other = (word & kTopBits) ^ kHighBits;
        if ((other - kOnes) & ~other & kHighBits)
            return true;
    }
    for (; p != end; ++p) {
        if ((static_cast<unsigned char>(*p) & 0xE0) == 0x80)
            return true;
    }
    return false;
}

} // namespace

namespace Cp1252 {

QChar ToUnicode(char byte) {
    const auto b = static_cast<unsigned char>(byte);
    if (b >= 0x80 && b < 0xA0)
        return QChar(kHighControls[b - 0x80]);
    return QChar(char16_t(b));
}

QString Decode(QByteArrayView bytes) {
    // Text nearly never holds the bytes 0x80 to 0x9F: without them, the
    // bytes are Latin-1, which Qt widens fastest.
    if (!HasHighControls(bytes))
        return QString::fromLatin1(bytes);
    QString text(bytes.size(), Qt::Uninitialized);
    auto* out = reinterpret_cast<char16_t*>(text.data());
    for (const char byte : bytes)
        *out++ = ToUnicode(byte).unicode();
    return text;
}

bool IsRepresentable(QChar c) {
    return ByteOf(c.unicode()) >= 0;
}

char* EncodeInto(char* dest, QStringView text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // Latin-1 but for the bytes 0x80 to 0x9F: nearly every character.
        if (u < 0x80 || char16_t(u - 0xA0) < 0x60) {
            *dest++ = char(u);
        } else {
            const int byte = ByteOf(u);
            *dest++ = byte >= 0 ? char(byte) : kReplacement;
        }
    }
    return dest;
}

void AppendEncoded(QByteArray& out, QStringView text) {
    const qsizetype start = out.size();
    out.resize(start + text.size());
    EncodeInto(out.data() + start, text);
}

QByteArray Encode(QStringView text) {
    QByteArray out;
    AppendEncoded(out, text);
    return out;
}

namespace {

bool Fits(const QString& text) {
    for (QChar c : text) {
        if (ByteOf(c.unicode()) < 0)
            return false;
    }
    return true;
}

// Letters that have no decomposition to a Latin base letter, as they are
// usually written in Latin letters: Polish, Croatian, Maltese, Turkish,
// Sami, Azeri letters, and the Cyrillic and Greek alphabets. Anything not
// here and not decomposable becomes "?".
struct TNearest {
    char16_t From;
    const char* To;
};
constexpr TNearest kNearest[] = {
    {u'\u0110', "D"},
    {u'\u0111', "d"},
    {u'\u0126', "H"},
    {u'\u0127', "h"},
    {u'\u0131', "i"},
    {u'\u0138', "k"},
    {u'\u0141', "L"},
    {u'\u0142', "l"},
    {u'\u014A', "N"},
    {u'\u014B', "n"},
    {u'\u0166', "T"},
    {u'\u0167', "t"},
    {u'\u018F', "E"},
    {u'\u0259', "e"},
    {u'\u0180', "b"},
    {u'\u0197', "I"},
    {u'\u0268', "i"},
    {u'\u01B5', "Z"},
    {u'\u01B6', "z"},
    {u'\u0237', "j"},
    {u'\u1E9E', "SS"},
    {u'\u02BC', "'"},
    {u'\u02BB', "'"},
    {u'\u2010', "-"},
    {u'\u2011', "-"},
    {u'\u2012', "-"},
    {u'\u2015', "-"},
    {u'\u2212', "-"},
    {u'\u2032', "'"},
    {u'\u2033', "\""},
    // Cyrillic
    {u'\u0410', "A"},
    {u'\u0411', "B"},
    {u'\u0412', "V"},
    {u'\u0413', "G"},
    {u'\u0414', "D"},
    {u'\u0415', "E"},
    {u'\u0416', "Zh"},
    {u'\u0417', "Z"},
    {u'\u0418', "I"},
    {u'\u0419', "I"},
    {u'\u041A', "K"},
    {u'\u041B', "L"},
    {u'\u041C', "M"},
    {u'\u041D', "N"},
    {u'\u041E', "O"},
    {u'\u041F', "P"},
    {u'\u0420', "R"},
    {u'\u0421', "S"},
    {u'\u0422', "T"},
    {u'\u0423', "U"},
    {u'\u0424', "F"},
    {u'\u0425', "Kh"},
    {u'\u0426', "Ts"},
    {u'\u0427', "Ch"},
    {u'\u0428', "Sh"},
    {u'\u0429', "Shch"},
    {u'\u042A', ""},
    {u'\u042B', "Y"},
    {u'\u042C', ""},
    {u'\u042D', "E"},
    {u'\u042E', "Yu"},
    {u'\u042F', "Ya"},
    {u'\u0430', "a"},
    {u'\u0431', "b"},
    {u'\u0432', "v"},
    {u'\u0433', "g"},
    {u'\u0434', "d"},
    {u'\u0435', "e"},
    {u'\u0436', "zh"},
    {u'\u0437', "z"},
    {u'\u0438', "i"},
    {u'\u0439', "i"},
    {u'\u043A', "k"},
    {u'\u043B', "l"},
    {u'\u043C', "m"},
    {u'\u043D', "n"},
    {u'\u043E', "o"},
    {u'\u043F', "p"},
    {u'\u0440', "r"},
    {u'\u0441', "s"},
    {u'\u0442', "t"},
    {u'\u0443', "u"},
    {u'\u0444', "f"},
    {u'\u0445', "kh"},
    {u'\u0446', "ts"},
    {u'\u0447', "ch"},
    {u'\u0448', "sh"},
    {u'\u0449', "shch"},
    {u'\u044A', ""},
    {u'\u044B', "y"},
    {u'\u044C', ""},
    {u'\u044D', "e"},
    {u'\u044E', "yu"},
    {u'\u044F', "ya"},
    {u'\u0404', "Ye"},
    {u'\u0406', "I"},
    {u'\u0490', "G"},
    {u'\u0454', "ye"},
    {u'\u0456', "i"},
    {u'\u0491', "g"},
    // Greek
    {u'\u0391', "A"},
    {u'\u0392', "V"},
    {u'\u0393', "G"},
    {u'\u0394', "D"},
    {u'\u0395', "E"},
    {u'\u0396', "Z"},
    {u'\u0397', "I"},
    {u'\u0398', "Th"},
    {u'\u0399', "I"},
    {u'\u039A', "K"},
    {u'\u039B', "L"},
    {u'\u039C', "M"},
    {u'\u039D', "N"},
    {u'\u039E', "X"},
    {u'\u039F', "O"},
    {u'\u03A0', "P"},
    {u'\u03A1', "R"},
    {u'\u03A3', "S"},
    {u'\u03A4', "T"},
    {u'\u03A5', "Y"},
    {u'\u03A6', "F"},
    {u'\u03A7', "Ch"},
    {u'\u03A8', "Ps"},
    {u'\u03A9', "O"},
    {u'\u03B1', "a"},
    {u'\u03B2', "v"},
    {u'\u03B3', "g"},
    {u'\u03B4', "d"},
    {u'\u03B5', "e"},
    {u'\u03B6', "z"},
    {u'\u03B7', "i"},
    {u'\u03B8', "th"},
    {u'\u03B9', "i"},
    {u'\u03BA', "k"},
    {u'\u03BB', "l"},
    {u'\u03BC', "m"},
    {u'\u03BD', "n"},
    {u'\u03BE', "x"},
    {u'\u03BF', "o"},
    {u'\u03C0', "p"},
    {u'\u03C1', "r"},
    {u'\u03C2', "s"},
    {u'\u03C3', "s"},
    {u'\u03C4', "t"},
    {u'\u03C5', "y"},
    {u'\u03C6', "f"},
    {u'\u03C7', "ch"},
    {u'\u03C8', "ps"},
    {u'\u03C9', "o"},
};

const char* TableLetters(QChar c) {
    for (const TNearest& entry : kNearest) {
        if (entry.From == c.unicode())
            return entry.To;
    }
    return nullptr;
}

bool IsMark(QChar c) {
    const QChar::Category category = c.category();
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

// The nearest text the code page holds for one character (a surrogate pair
// counts as one): its compatibility decomposition without the accents
// ("ő" gives "o", "ǅ" gives "Dž", a mathematical bold "A" gives "A"), then
// the table above for what remains.
QString NearestLetters(const QString& character) {
    const QString decomposed = character.normalized(QString::NormalizationForm_KD);
    QString nearest;
    for (QChar c : decomposed) {
        if (IsMark(c))
            continue;
        if (IsRepresentable(c)) {
            nearest += c;
        } else if (const char* letters = TableLetters(c)) {
            nearest += QString::fromLatin1(letters);
        } else {
            return QString(QLatin1Char(kReplacement));
        }
    }
    return nearest;
}

} // namespace

QString FitToWindows1252(const QString& input) {
    if (Fits(input))
        return input;
    // Composed forms first: "e" followed by a combining acute is "é".
    const QString text = input.normalized(QString::NormalizationForm_C);
    if (Fits(text))
        return text;

    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (IsRepresentable(c)) {
            result += c;
            continue;
        }
        const bool pair =
            c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QString one = pair ? text.mid(i, 2) : QString(c);
        if (pair)
            ++i;
        result += NearestLetters(one);
    }
    return result;
}

} // namespace Cp1252
