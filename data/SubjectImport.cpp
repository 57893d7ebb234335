#include "data/SubjectImport.h"

#include "data/Cp1252.h"
#include "data/RtfText.h"
#include "data/SafeFile.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// Surrogates that do not pair up (from a "\uN", or from a decoder that lets
// them through) would not survive being written back: they become U+FFFD.
QString PairedSurrogates(QString text) {
    for (qsizetype k = 0; k < text.size(); ++k) {
        if (text[k].isHighSurrogate() && k + 1 < text.size() && text[k + 1].isLowSurrogate())
            ++k;
        else if (text[k].isSurrogate())
            text[k] = QChar::ReplacementCharacter;
    }
    return text;
}

// CR, LF and CR LF each end a line; an end at the very end adds no line.
QStringList SplitText(QStringView text) {
    QStringList lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') {
            ++i;
            continue;
        }
        lines.append(text.sliced(start, i - start).toString());
        ++i;
        if (c == u'\r' && i < text.size() && text[i] == u'\n')
            ++i;
        start = i;
    }
    if (start < text.size())
        lines.append(text.sliced(start).toString());
    return lines;
}

QString DecodePlainText(QByteArrayView bytes) {
    if (const auto encoding = QStringConverter::encodingForData(bytes)) {
        if (*encoding != QStringConverter::Utf8 || bytes.startsWith("\xEF\xBB\xBF")) {
            // The decoder drops the byte-order mark itself.
            QStringDecoder decoder(*encoding);
            return decoder.decode(bytes);
        }
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return Cp1252::Decode(bytes);
}

} // namespace

QString StreamLoadError() {
    return QStringLiteral("Erreur au chargement du flux");
}

QString SubjectFileTooLargeError(const QString& path) {
    return QStringLiteral(
               "Le fichier %1 est trop volumineux pour être une liste de matières (%2 Mo au plus).")
        .arg(path)
        .arg(MaxSubjectFileSize / (1024 * 1024));
}

TSubjectImport ReadSubjectList(QByteArrayView bytes) {
    TSubjectImport result;
    if (IsRtf(bytes)) {
        const std::optional<QString> text = RtfToText(bytes);
        if (!text)
            result.Error = StreamLoadError();
        else
            result.Lines = SplitText(PairedSurrogates(*text));
        return result;
    }
    result.Lines = SplitText(PairedSurrogates(DecodePlainText(bytes)));
    return result;
}

TSubjectImport ReadSubjectFile(const QString& path) {
    TSubjectImport result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.Error = OpenFileError(path);
        return result;
    }
    // Read one byte past the bound rather than trust the size: devices and
    // pipes report none.
    const QByteArray bytes = file.read(MaxSubjectFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        result.Error = OpenFileError(path);
        return result;
    }
    if (bytes.size() > MaxSubjectFileSize) {
        result.Error = SubjectFileTooLargeError(path);
        return result;
    }
    return ReadSubjectList(bytes);
}

QByteArray EncodeSubjectList(const QStringList& lines) {
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}
