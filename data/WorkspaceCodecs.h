#pragma once

#include "data/PData.h"

#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringList>
#include <QStringView>

// The value codecs of the workspace file. Neither has an escape: a "|" inside
// a line splits it in two on the next load.

// Every line followed by "|".
void AppendList(QString& out, const QStringList& lines);
QString EncodeList(const QStringList& lines);
// Appends the part before each "|" to the record's lines; text after the
// last "|" is dropped.
void DecodeList(QStringView text, TPData& record);
void DecodeList(QByteArrayView windows1252, TPData& record);

// "level:mark|" per evaluation, the mark in the general format with the
// user's decimal separator ("4:-1|1:15,5|").
void AppendLevels(QString& out, const TPData& record, QChar decimalSeparator);
QString EncodeLevels(const TPData& record, QChar decimalSeparator);
// Returns false when an entry cannot be read; the entries read before it
// stay, an entry whose level was read keeps it with no mark.
bool DecodeLevels(QStringView text, TPData& record, QChar decimalSeparator);
bool DecodeLevels(QByteArrayView windows1252, TPData& record, QChar decimalSeparator);

// Everything after the first "=", or the whole line when it has none.
QStringView ValueOf(QStringView line);
QByteArrayView ValueOf(QByteArrayView line);
