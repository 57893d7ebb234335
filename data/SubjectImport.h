#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// A subject list read from a file chosen by the user: one subject line per
// text line. A rich-text file gives its text; any other file is plain text
// in UTF-8 (with or without a byte-order mark, or UTF-16 with one) or, when
// it is not valid UTF-8, in Windows-1252.
struct TSubjectImport {
    QStringList Lines;
    QString Error; // set when nothing was read: the user's message

    bool Ok() const { return Error.isEmpty(); }
};

// Far more than any subject list (a few hundred lines), and small enough for
// the memo and the tree to stay responsive; a bigger file is refused.
constexpr qsizetype MaxSubjectFileSize = 1024 * 1024;

TSubjectImport ReadSubjectList(QByteArrayView bytes);
TSubjectImport ReadSubjectFile(const QString& path);

// Lines as a plain text file holding them, in UTF-8 with a byte-order mark:
// what ReadSubjectList reads back as the same lines.
QByteArray EncodeSubjectList(const QStringList& lines);

QString StreamLoadError();
QString SubjectFileTooLargeError(const QString& path);
