#include "data/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

QString CreateFileError(const QString& path) {
    return QStringLiteral("Impossible de créer le fichier %1").arg(path);
}

QString WriteFileError(const QString& path, qint64 bytes) {
    // The write's own error does not say why (QSaveFile keeps no errno): the
    // folder's free space does. The margin covers the file system's blocks.
    const QStorageInfo volume(QFileInfo(path).absolutePath());
    const qint64 available = volume.isValid() ? volume.bytesAvailable() : -1;
    if (available >= 0 && available < bytes + 64 * 1024)
        return CreateFileError(path) + QStringLiteral(" : disque plein.");
    return CreateFileError(path);
}

QString OpenFileError(const QString& path) {
    return QStringLiteral("Impossible d'ouvrir le fichier %1").arg(path);
}

std::optional<QByteArray> ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

std::optional<QString> WriteWholeFile(QSaveFile& file, const QByteArray& bytes) {
    if (!file.open(QIODevice::WriteOnly))
        return CreateFileError(file.fileName());
    // commit() does not report a failure to flush the file's write buffer
    // (a full disk under a small file): flush first and check it.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        file.commit();
        return WriteFileError(file.fileName(), bytes.size());
    }
    if (!file.commit())
        return WriteFileError(file.fileName(), bytes.size());
    return std::nullopt;
}

std::optional<QString> WriteWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return WriteWholeFile(file, bytes);
}

TCopyResult KeepCopyOf(const QString& path) {
    const QFileInfo original(path);
    const QString stem = original.completeBaseName();
    const QString suffix = original.suffix().isEmpty() ? QString() : u'.' + original.suffix();
    TCopyResult result;
    for (int n = 1;; ++n) {
        const QString candidate =
            original.dir().filePath(QStringLiteral("%1.copie-%2%3").arg(stem).arg(n).arg(suffix));
        if (QFileInfo::exists(candidate))
            continue;
        result.CopyPath = candidate;
        if (!QFile::copy(path, candidate))
            result.Error = CreateFileError(candidate);
        return result;
    }
}
