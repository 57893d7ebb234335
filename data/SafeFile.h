#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

#include <functional>
#include <optional>

// Whole-file reads and writes. A write goes to a temporary file beside the
// target, which replaces the target only once it is complete: the target is
// never left truncated or half written. Failures are returned as the message
// the user is shown.

// "Impossible de créer le fichier <path>".
QString CreateFileError(const QString& path);
// CreateFileError, followed by " : disque plein." when the folder has no
// room left for the bytes that were to be written.
QString WriteFileError(const QString& path, qint64 bytes);
// "Impossible d'ouvrir le fichier <path>".
QString OpenFileError(const QString& path);

// The file's bytes, or nothing when it cannot be read.
std::optional<QByteArray> ReadWholeFile(const QString& path);

// Writes the bytes through the given save file (its name is the target).
// On failure the target keeps its old content.
std::optional<QString> WriteWholeFile(QSaveFile& file, const QByteArray& bytes);
std::optional<QString> WriteWholeFile(const QString& path, const QByteArray& bytes);

// Writes one part of a file; false once a write failed, after which the rest
// need not be made.
using TWritePart = std::function<bool(QByteArrayView)>;
// The same for a file made part by part: produce gives every part in order.
std::optional<QString> WriteWholeFile(QSaveFile& file,
                                      const std::function<void(const TWritePart&)>& produce);

struct TCopyResult {
    QString CopyPath; // where the copy is, when made
    std::optional<QString> Error;
};

// Copies the file to a new name beside it ("tree.copie-1.dat", or the next
// number free), leaving any earlier copy alone.
TCopyResult KeepCopyOf(const QString& path);
