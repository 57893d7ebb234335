#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

class TChmFile;

// A window definition of a compiled help file ([WINDOWS] of the project),
// the part of it the viewer uses. Topics are as written in the project,
// without a leading "/".
struct TWindowDefinition {
    QString Name;
    QString Title;
    QString Contents;
    QString Index;
    QString DefaultTopic;
    QString HomeTopic;
};

// Decodes the "/#WINDOWS" object: a count, an entry size, then one fixed
// entry per window whose texts are offsets into the "/#STRINGS" object
// (NUL-terminated Windows-1252 strings). Entries too short for the fields
// read here, or cut off by the end of the data, are left out; an offset
// outside the strings reads as an empty text.
QList<TWindowDefinition> ReadWindowDefinitions(QByteArrayView windows, QByteArrayView strings);

// The definition of that name in the file (names compare without regard to
// case), or none when the file has no such window or no window table.
std::optional<TWindowDefinition> FindWindowDefinition(const TChmFile& file, const QString& name);
