#pragma once

#include <QString>

// A typed mark cleaned before it is read: only digits, "." and "," are kept;
// the first "." (or, without one, the first ",") is the decimal point,
// written ",", the other points and commas are dropped, and at most one
// decimal digit is kept (cut, not rounded). "12.75" gives "12,7", "-3"
// gives "3", "15/20" gives "1520".
QString CleanMark(const QString& typed);
