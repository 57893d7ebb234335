#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The program's files are Windows-1252, byte for byte. Every one of the 256
// byte values decodes to one UTF-16 unit and encodes back to the same byte
// (the five bytes that Windows-1252 leaves undefined map to U+0081, U+008D,
// U+008F, U+0090 and U+009D).
//
// Text that Windows-1252 cannot hold is made to fit before it is stored in a
// record (FitToWindows1252), so what the program holds in memory is always
// what the file will hold. Every text that enters the workspace goes through
// it: each character the code page lacks becomes its nearest letters
// ("Łukasz" gives "Lukasz", "Nguyễn" gives "Nguyen", "Борис" gives "Boris"),
// and only what has no Latin spelling becomes "?".
namespace Cp1252 {

QChar ToUnicode(char byte);
QString Decode(QByteArrayView bytes);

// Whether the character is one of the 256 that a byte encodes.
bool IsRepresentable(QChar c);

// Appends the encoded text to out. Characters that cannot be encoded (only
// possible for text that did not go through FitToWindows1252) become "?".
void AppendEncoded(QByteArray& out, QStringView text);
// The same at dest, which has room for text.size() bytes; returns the end.
char* EncodeInto(char* dest, QStringView text);
QByteArray Encode(QStringView text);

QString FitToWindows1252(const QString& text);

} // namespace Cp1252
