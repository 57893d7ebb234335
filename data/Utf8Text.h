#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The teacher's own small text files (word list, remarks bank): UTF-8,
// readable and editable by hand.

// The text of a file that should be UTF-8 (a byte-order mark is skipped).
// A file written by hand with an older editor may be in Windows-1252
// instead: it is then read as such rather than lose its accented letters,
// and Utf8 says so.
struct TDecodedText {
    QString Text;
    bool Utf8 = true;
};
TDecodedText DecodeUtf8Text(QByteArrayView bytes);

// At most the first maxBytes + 1 bytes of the file, so that a reader can
// tell a file over its bound without reading all of it; nothing when the
// file cannot be read.
std::optional<QByteArray> ReadFileHead(const QString& path, qsizetype maxBytes);
