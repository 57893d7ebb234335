#pragma once

#include "data/PData.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringList>
#include <QStringView>

// The value codecs of the workspace file. Neither has an escape: a "|" inside
// a line splits it in two on the next load.

// Every line followed by "|". The Append forms write Windows-1252 bytes, as
// the file holds them.
void AppendList(QByteArray& out, const QStringList& lines);
QString EncodeList(const QStringList& lines);
// Appends the part before each "|" to the record's lines; text after the
// last "|" is dropped. Returns false when there was such text.
bool DecodeList(QStringView text, TPData& record);
// The same for a value of one line of the file (no line break in it), whose
// decoded lines the record stores as they are.
bool DecodeList(QByteArrayView windows1252, TPData& record);

// "level:mark|" per evaluation, the mark in the general format with the
// user's decimal separator ("4:-1|1:15,5|").
void AppendLevels(QByteArray& out, const TPData& record, QChar decimalSeparator);
QString EncodeLevels(const TPData& record, QChar decimalSeparator);
// Marks are read with either decimal separator, whatever the user's.
struct TDecodedLevels {
    // False when an entry could not be read: the entries read before it
    // stay, an entry whose level was read keeps it with no mark, the rest of
    // the text is ignored.
    bool Read = true;
    // False when encoding what was read would not give the text back, the
    // decimal separator of marks aside: numbers written another way ("+1",
    // "01", "12,50"), or text after the last "|".
    bool Exact = true;
};
TDecodedLevels DecodeLevels(QStringView text, TPData& record);
TDecodedLevels DecodeLevels(QByteArrayView windows1252, TPData& record);

// Everything after the first "=", or the whole line when it has none.
QStringView ValueOf(QStringView line);
QByteArrayView ValueOf(QByteArrayView line);
