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

// Leading blanks, an optional sign and decimal digits that fit 32 bits.
std::optional<int> ParseInt(QStringView text);
std::optional<int> ParseInt(QByteArrayView windows1252);
