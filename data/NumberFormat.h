#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

// Numbers as the user reads and types them: the general format (shortest
// fixed form up to the given number of significant digits, scientific when
// the integer part needs more digits than that or the value is below 1E-5)
// and strict conversions that take only the given decimal separator.

// Appends the decimal digits of the value, with a "-" when negative.
void AppendInteger(QString& out, long long value);

// Appends the number in the general format; writes "E" exponents without a
// plus sign ("1,5E20", "1E-6").
void AppendGeneral(QString& out, double value, int precision, QChar decimalSeparator);
QString FormatGeneral(double value, int precision, QChar decimalSeparator);

// The number rounded, half away from zero, to the given decimals and to at
// most `precision` significant digits, always written with exactly that many
// decimals ("0,0", "12,5", "1235,0"); in the general format when its integer
// part needs more than `precision` digits.
QString FormatFixed(double value, int precision, int decimals, QChar decimalSeparator);

// Blanks around the number, an optional sign, digits with at most one
// decimal separator (at least one digit) and an optional exponent. No group
// separators. Values out of the double range are refused.
std::optional<double> ParseFloat(QStringView text, QChar decimalSeparator);
std::optional<double> ParseFloat(QByteArrayView windows1252, QChar decimalSeparator);

// A mark as a file holds it, written under any regional settings: the
// grammar of ParseFloat with "," or "." as the decimal separator (a mark
// never has a group separator, so either reads unambiguously). When asked,
// `exact` tells whether the general format of 15 digits writes the value
// back as this very text, the decimal separator aside.
std::optional<double> ParseMark(QStringView text, bool* exact = nullptr);
std::optional<double> ParseMark(QByteArrayView windows1252, bool* exact = nullptr);

// Leading blanks, an optional sign and decimal digits that fit 32 bits.
std::optional<int> ParseInt(QStringView text);
std::optional<int> ParseInt(QByteArrayView windows1252);
