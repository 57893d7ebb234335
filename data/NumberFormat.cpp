#include "data/NumberFormat.h"

#include "data/Cp1252.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace {

constexpr double kSmallestFixed = 0.00001;

// Exact as doubles, every one of them.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr int kExactDigits = 15;

double PowerOfTen(int exponent) {
    return exponent >= 0 && exponent <= kExactDigits ? kPowersOfTen[exponent]
                                                     : std::pow(10.0, exponent);
}

struct TDecimal {
    bool Negative = false;
    std::string Digits; // significant digits, no trailing zeros, at least one
    int Exponent = 0;   // of the first digit
};

// Splits "d.dddde±x" as written by to_chars in scientific form.
TDecimal SplitScientific(const char* first, const char* last) {
    TDecimal d;
    const char* p = first;
    if (*p == '-') {
        d.Negative = true;
        ++p;
    }
    for (; p != last && *p != 'e'; ++p) {
        if (*p != '.')
            d.Digits += *p;
    }
    if (p != last)
        std::from_chars(p[1] == '+' ? p + 2 : p + 1, last, d.Exponent);
    while (d.Digits.size() > 1 && d.Digits.back() == '0')
        d.Digits.pop_back();
    return d;
}

// Rounds half away from zero, as users round marks: 12345 to four digits is
// 1,235E4 where the library's ties-to-even would give 1,234E4. Rounded
// towards zero instead when asked.
TDecimal ToDecimal(double value, int precision, bool towardZero = false) {
    char buffer[64];
    // The shortest form that reads back as the same double is the rounded
    // form too whenever it has no more digits than asked for.
    auto shortest =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    TDecimal d = SplitScientific(buffer, shortest.ptr);
    if (int(d.Digits.size()) <= precision)
        return d;
    auto exact =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 19);
    d = SplitScientific(buffer, exact.ptr);
    const bool up = !towardZero && d.Digits.size() > std::size_t(precision) &&
                    d.Digits[std::size_t(precision)] >= '5';
    d.Digits.resize(std::size_t(precision), '0');
    for (int i = precision - 1; up && i >= 0; --i) {
        if (d.Digits[std::size_t(i)] != '9') {
            ++d.Digits[std::size_t(i)];
            break;
        }
        d.Digits[std::size_t(i)] = '0';
        if (i == 0) {
            d.Digits.insert(d.Digits.begin(), '1');
            d.Digits.pop_back();
            ++d.Exponent;
        }
    }
    while (d.Digits.size() > 1 && d.Digits.back() == '0')
        d.Digits.pop_back();
    return d;
}

// Whether the decimal reads back as a finite double: rounding up the largest
// doubles (1,7976931348623157E308 to 15 digits) goes past the range.
bool IsFinite(const TDecimal& d) {
    if (d.Exponent < std::numeric_limits<double>::max_exponent10)
        return true;
    const std::string text = d.Digits + 'e' + std::to_string(d.Exponent - int(d.Digits.size()) + 1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && std::isfinite(value);
}

void AppendAscii(QString& out, const std::string& text) {
    out += QLatin1String(text.data(), qsizetype(text.size()));
}

// Marks as files hold them ("-1", "15", "12,75"): at most 15 digits, no
// blanks, no exponent. Their digits and the power of ten are exact doubles, so
// one division gives the correctly rounded value, as from_chars would. False
// for any other text, which the full grammar then reads.
template <typename CharAt>
bool ParseShortDecimal(qsizetype size, CharAt at, QChar decimalSeparator, double& value) {
    qsizetype i = 0;
    bool negative = false;
    if (i < size && (at(i) == u'+' || at(i) == u'-'))
        negative = at(i++) == u'-';
    std::int64_t digits = 0;
    int digitCount = 0;
    int decimals = 0;
    bool afterSeparator = false;
    for (; i < size; ++i) {
        const QChar c = at(i);
        if (c >= u'0' && c <= u'9') {
            if (++digitCount > kExactDigits)
                return false;
            digits = digits * 10 + (c.unicode() - u'0');
            decimals += afterSeparator ? 1 : 0;
        } else if (c == decimalSeparator && !afterSeparator) {
            afterSeparator = true;
        } else {
            return false;
        }
    }
    if (digitCount == 0)
        return false;
    const double magnitude =
        decimals == 0 ? double(digits) : double(digits) / kPowersOfTen[decimals];
    value = negative ? -magnitude : magnitude;
    return true;
}

// A mark as files hold it ("-1", "15", "12,75", "12.75"): at most 15 digits,
// either decimal separator, no blanks, no exponent. Also tells whether the
// text is the one the general format writes for the value (no "+", no
// leading or trailing zero, digits on both sides of the separator); tiny
// values, which that format writes with an exponent, are left to the caller
// to check. False for any other text, which the full grammar then reads.
template <typename CharAt>
bool ParseShortMark(qsizetype size, CharAt at, double& value, bool& exact, bool& tiny) {
    qsizetype i = 0;
    bool negative = false;
    exact = true;
    if (i < size && (at(i) == u'+' || at(i) == u'-')) {
        negative = at(i) == u'-';
        exact = negative;
        ++i;
    }
    std::int64_t digits = 0;
    int digitCount = 0;
    int integerDigits = 0;
    int decimals = 0;
    bool afterSeparator = false;
    QChar first;
    QChar last;
    for (; i < size; ++i) {
        const QChar c = at(i);
        if (c >= u'0' && c <= u'9') {
            if (++digitCount > kExactDigits)
                return false;
            digits = digits * 10 + (c.unicode() - u'0');
            if (afterSeparator)
                ++decimals;
            else if (integerDigits++ == 0)
                first = c;
            last = c;
        } else if ((c == u',' || c == u'.') && !afterSeparator) {
            afterSeparator = true;
        } else {
            return false;
        }
    }
    if (digitCount == 0)
        return false;
    if ((integerDigits > 1 && first == u'0') || integerDigits == 0 ||
        (afterSeparator && (decimals == 0 || last == u'0')))
        exact = false;
    const double magnitude =
        decimals == 0 ? double(digits) : double(digits) / kPowersOfTen[decimals];
    value = negative ? -magnitude : magnitude;
    if (magnitude == 0)
        exact = exact && !negative && !afterSeparator;
    tiny = magnitude != 0 && magnitude < kSmallestFixed;
    return true;
}

// Reads the number grammar over either byte or UTF-16 text into a plain
// ASCII form that from_chars takes.
template <typename CharAt>
std::optional<double> ParseFloatWith(qsizetype size, CharAt at, QChar decimalSeparator) {
    double shortValue = 0;
    if (ParseShortDecimal(size, at, decimalSeparator, shortValue))
        return shortValue;
    qsizetype i = 0;
    auto isDigit = [&](qsizetype k) {
        return k < size && at(k) >= u'0' && at(k) <= u'9';
    };
    while (i < size && at(i) == u' ')
        ++i;
    std::string ascii;
    if (i < size && (at(i) == u'+' || at(i) == u'-')) {
        if (at(i) == u'-')
            ascii += '-';
        ++i;
    }
    // Written out in full ("0.5", "12.0") since from_chars needs digits on
    // both sides of the point, which the user's notation does not.
    auto appendDigits = [&] {
        const std::size_t before = ascii.size();
        while (isDigit(i))
            ascii += char(at(i++).unicode());
        return ascii.size() - before;
    };
    std::size_t digits = appendDigits();
    if (digits == 0)
        ascii += '0';
    ascii += '.';
    if (i < size && at(i) == decimalSeparator) {
        ++i;
        const std::size_t decimals = appendDigits();
        digits += decimals;
        if (decimals == 0)
            ascii += '0';
    } else {
        ascii += '0';
    }
    if (digits == 0)
        return std::nullopt;
    if (i < size && (at(i) == u'e' || at(i) == u'E')) {
        ascii += 'e';
        ++i;
        if (i < size && (at(i) == u'+' || at(i) == u'-'))
            ascii += char(at(i++).unicode());
        if (appendDigits() == 0)
            return std::nullopt;
    }
    while (i < size && at(i) == u' ')
        ++i;
    if (i != size)
        return std::nullopt;

    double value = 0;
    const char* first = ascii.data();
    const char* last = first + ascii.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Numbers are ASCII: the code page is looked up only for the other bytes.
QChar CharOf(char byte) {
    return byte >= 0 ? QChar(char16_t(byte)) : Cp1252::ToUnicode(byte);
}

template <typename CharAt> std::optional<int> ParseIntWith(qsizetype size, CharAt at) {
    qsizetype i = 0;
    while (i < size && at(i) == u' ')
        ++i;
    bool negative = false;
    if (i < size && (at(i) == u'+' || at(i) == u'-'))
        negative = at(i++) == u'-';
    if (i == size)
        return std::nullopt;
    long long value = 0;
    for (; i < size; ++i) {
        const QChar c = at(i);
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > 1LL + std::numeric_limits<int>::max())
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(value);
}

} // namespace

void AppendInteger(QString& out, long long value) {
    char buffer[24];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    out += QLatin1String(buffer, written.ptr);
}

void AppendGeneral(QString& out, double value, int precision, QChar decimalSeparator) {
    if (std::isnan(value)) {
        out += QLatin1String("NAN");
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? QLatin1String("-INF") : QLatin1String("INF");
        return;
    }
    if (value == 0) {
        out += u'0';
        return;
    }
    // Whole numbers, "-1" for a missing mark above all, are the common case.
    if (value == std::trunc(value) && std::fabs(value) < PowerOfTen(precision)) {
        AppendInteger(out, static_cast<long long>(value));
        return;
    }
    TDecimal d = ToDecimal(value, precision);
    if (!IsFinite(d))
        d = ToDecimal(value, precision, true);
    if (d.Negative)
        out += u'-';
    const int digitCount = int(d.Digits.size());
    if (d.Exponent < precision && std::fabs(value) >= kSmallestFixed) {
        if (d.Exponent < 0) {
            out += u'0';
            out += decimalSeparator;
            out += QString(-d.Exponent - 1, u'0');
            AppendAscii(out, d.Digits);
            return;
        }
        const int integerDigits = d.Exponent + 1;
        AppendAscii(out, d.Digits.substr(0, std::min(digitCount, integerDigits)));
        if (digitCount < integerDigits)
            out += QString(integerDigits - digitCount, u'0');
        if (digitCount > integerDigits) {
            out += decimalSeparator;
            AppendAscii(out, d.Digits.substr(std::size_t(integerDigits)));
        }
        return;
    }
    out += QLatin1Char(d.Digits[0]);
    if (digitCount > 1) {
        out += decimalSeparator;
        AppendAscii(out, d.Digits.substr(1));
    }
    out += u'E';
    AppendInteger(out, d.Exponent);
}

QString FormatGeneral(double value, int precision, QChar decimalSeparator) {
    QString out;
    AppendGeneral(out, value, precision, decimalSeparator);
    return out;
}

std::optional<double> ParseFloat(QStringView text, QChar decimalSeparator) {
    return ParseFloatWith(
        text.size(), [text](qsizetype i) { return text[i]; }, decimalSeparator);
}

std::optional<double> ParseFloat(QByteArrayView windows1252, QChar decimalSeparator) {
    return ParseFloatWith(
        windows1252.size(), [windows1252](qsizetype i) { return CharOf(windows1252[i]); },
        decimalSeparator);
}

namespace {

template <typename CharAt>
std::optional<double> ParseMarkWith(qsizetype size, CharAt at, bool* exact) {
    double value = 0;
    bool shortExact = false;
    bool tiny = false;
    if (ParseShortMark(size, at, value, shortExact, tiny) && !(tiny && exact)) {
        if (exact)
            *exact = shortExact;
        return value;
    }
    QChar separator = u'.';
    for (qsizetype i = 0; i < size; ++i) {
        if (at(i) == u',')
            separator = u',';
    }
    const std::optional<double> parsed = ParseFloatWith(size, at, separator);
    if (parsed && exact) {
        const QString written = FormatGeneral(*parsed, kExactDigits, separator);
        bool same = written.size() == size;
        for (qsizetype i = 0; same && i < size; ++i)
            same = written[i] == at(i);
        *exact = same;
    }
    return parsed;
}

} // namespace

std::optional<double> ParseMark(QStringView text, bool* exact) {
    return ParseMarkWith(
        text.size(), [text](qsizetype i) { return text[i]; }, exact);
}

std::optional<double> ParseMark(QByteArrayView windows1252, bool* exact) {
    return ParseMarkWith(
        windows1252.size(), [windows1252](qsizetype i) { return CharOf(windows1252[i]); }, exact);
}

std::optional<int> ParseInt(QStringView text) {
    return ParseIntWith(text.size(), [text](qsizetype i) { return text[i]; });
}

std::optional<int> ParseInt(QByteArrayView windows1252) {
    return ParseIntWith(windows1252.size(),
                        [windows1252](qsizetype i) { return CharOf(windows1252[i]); });
}

QString FormatFixed(double value, int precision, int decimals, QChar decimalSeparator) {
    if (!std::isfinite(value) || precision < 1 || decimals < 0)
        return FormatGeneral(value, std::max(precision, 1), decimalSeparator);
    QString out;
    const auto appendDecimals = [&](const TDecimal& d) {
        if (decimals == 0)
            return;
        out += decimalSeparator;
        for (int k = 1; k <= decimals; ++k) {
            const int index = d.Exponent + k;
            out += index >= 0 && index < int(d.Digits.size())
                       ? QLatin1Char(d.Digits[std::size_t(index)])
                       : QLatin1Char('0');
        }
    };
    TDecimal zero;
    zero.Digits = "0";
    if (value == 0) {
        out += u'0';
        appendDecimals(zero);
        return out;
    }
    // The decimals asked for leave this many significant digits at most.
    const TDecimal shortest = ToDecimal(value, 17);
    const int digits = std::min(precision, shortest.Exponent + 1 + decimals);
    TDecimal d;
    if (digits > 0) {
        d = ToDecimal(value, digits);
    } else if (digits == 0 && shortest.Digits[0] >= '5') {
        // Just below the last decimal: it rounds up to one unit of it.
        d.Negative = value < 0;
        d.Digits = "1";
        d.Exponent = -decimals;
    } else {
        out += u'0';
        appendDecimals(zero);
        return out;
    }
    if (d.Exponent + 1 > precision)
        return FormatGeneral(value, precision, decimalSeparator);
    if (d.Negative)
        out += u'-';
    if (d.Exponent < 0)
        out += u'0';
    for (int i = 0; i <= d.Exponent; ++i)
        out += i < int(d.Digits.size()) ? QLatin1Char(d.Digits[std::size_t(i)]) : QLatin1Char('0');
    appendDecimals(d);
    return out;
}
