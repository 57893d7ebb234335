#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <vector>

// The lines of a text file: CR, LF and CR LF each end a line; a last line
// without an end still counts, an end at the very end adds no empty line.
// The views point into the given bytes, which must outlive them.
std::vector<QByteArrayView> SplitLines(QByteArrayView bytes);

// Every line followed by CR LF, in Windows-1252.
QByteArray JoinLines(const QStringList& lines);
