#include "data/Utf8Text.h"

#include "data/Cp1252.h"

#include <QFile>
#include <QStringDecoder>

TDecodedText DecodeUtf8Text(QByteArrayView bytes) {
    QStringDecoder decoder(QStringConverter::Utf8);
    QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return {std::move(text), true};
    return {Cp1252::Decode(bytes), false};
}

std::optional<QByteArray> ReadFileHead(const QString& path, qsizetype maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}
