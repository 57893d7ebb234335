#include "data/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

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

namespace {

// Has the disk start writing what the file holds so far while the rest is
// still being made: the sync of the commit then waits for little more than
// the last part.
bool StartWriting(QSaveFile& file) {
    if (!file.flush())
        return false;
#ifdef Q_OS_LINUX
    ::sync_file_range(file.handle(), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
    return true;
}

} // namespace

std::optional<QString> WriteWholeFile(QSaveFile& file,
                                      const std::function<void(const TWritePart&)>& produce) {
    if (!file.open(QIODevice::WriteOnly))
        return CreateFileError(file.fileName());
    qint64 given = 0;
    bool failed = false;
    produce([&](QByteArrayView part) {
        given += part.size();
        failed =
            failed || file.write(part.data(), part.size()) != part.size() || !StartWriting(file);
        return !failed;
    });
    // commit() does not report a failure to flush the file's write buffer
    // (a full disk under a small file): flush first and check it.
    if (failed || !file.flush()) {
        file.cancelWriting();
        file.commit();
        return WriteFileError(file.fileName(), given);
    }
    if (!file.commit())
        return WriteFileError(file.fileName(), given);
    return std::nullopt;
}

std::optional<QString> WriteWholeFile(QSaveFile& file, const QByteArray& bytes) {
    return WriteWholeFile(file, [&bytes](const TWritePart& write) { write(bytes); });
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
