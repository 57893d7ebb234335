#include "data/Cp1252.h"

#include <array>

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

} // namespace

namespace Cp1252 {

QChar ToUnicode(char byte) {
    const auto b = static_cast<unsigned char>(byte);
    if (b >= 0x80 && b < 0xA0)
        return QChar(kHighControls[b - 0x80]);
    return QChar(char16_t(b));
}

QString Decode(QByteArrayView bytes) {
    QString text = QString::fromLatin1(bytes);
    for (QChar& c : text) {
        if (c.unicode() >= 0x80 && c.unicode() < 0xA0)
            c = QChar(kHighControls[c.unicode() - 0x80]);
    }
    return text;
}

bool IsRepresentable(QChar c) {
    return ByteOf(c.unicode()) >= 0;
}

void AppendEncoded(QByteArray& out, QStringView text) {
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char* dest = out.data() + start;
    for (QChar c : text) {
        const int byte = ByteOf(c.unicode());
        *dest++ = byte >= 0 ? char(byte) : kReplacement;
    }
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
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            result += QLatin1Char(kReplacement);
            continue;
        }
        // A letter the code page lacks with its accents may still have its
        // base letter in the code page.
        const QString decomposed = QString(c).normalized(QString::NormalizationForm_D);
        const bool baseFits = !decomposed.isEmpty() && IsRepresentable(decomposed[0]) &&
                              decomposed[0].category() != QChar::Mark_NonSpacing;
        bool onlyMarksFollow = true;
        for (qsizetype k = 1; k < decomposed.size(); ++k) {
            const QChar::Category category = decomposed[k].category();
            if (category != QChar::Mark_NonSpacing && category != QChar::Mark_SpacingCombining &&
                category != QChar::Mark_Enclosing)
                onlyMarksFollow = false;
        }
        result += baseFits && decomposed.size() > 1 && onlyMarksFollow ? decomposed[0]
                                                                       : QLatin1Char(kReplacement);
    }
    return result;
}

} // namespace Cp1252
