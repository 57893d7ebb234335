#include "data/DatedCopies.h"

#include "data/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

QString Suffix(const QFileInfo& file) {
    return file.suffix().isEmpty() ? QString() : u'.' + file.suffix();
}

// The day a name stands for, when it is one of the file's dated copies.
QDate DayOf(const QFileInfo& file, const QString& name) {
    const QString prefix = file.completeBaseName() + u'-';
    const QString suffix = Suffix(file);
    const qsizetype dateLength = kDateFormat.size();
    if (name.size() != prefix.size() + dateLength + suffix.size() ||
        !name.startsWith(prefix, Qt::CaseInsensitive) ||
        !name.endsWith(suffix, Qt::CaseInsensitive))
        return {};
    return QDate::fromString(name.mid(prefix.size(), dateLength), kDateFormat);
}

// A second name for the file, else a copy of it.
bool LinkOrCopy(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::create_hard_link(std::filesystem::path(QFile::encodeName(from).toStdString()),
                                      std::filesystem::path(QFile::encodeName(to).toStdString()),
                                      error);
    return !error || QFile::copy(from, to);
}

} // namespace

QString DatedCopiesFolder(const QString& path) {
    return QFileInfo(path).dir().filePath(QStringLiteral("sauvegardes"));
}

QString DatedCopyName(const QString& path, QDate day) {
    const QFileInfo file(path);
    return file.completeBaseName() + u'-' + day.toString(kDateFormat) + Suffix(file);
}

QStringList DatedCopiesToRemove(const QString& path, const QStringList& names, int kept) {
    const QFileInfo file(path);
    std::vector<std::pair<QDate, QString>> copies;
    for (const QString& name : names) {
        if (const QDate day = DayOf(file, name); day.isValid())
            copies.emplace_back(day, name);
    }
    std::sort(copies.begin(), copies.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    QStringList removed;
    for (std::size_t i = std::size_t(std::max(kept, 0)); i < copies.size(); ++i)
        removed << copies[i].second;
    return removed;
}

std::optional<QString> KeepDatedCopy(const QString& path, QDate today, int kept) {
    if (!QFileInfo::exists(path))
        return std::nullopt;
    const QString folderPath = DatedCopiesFolder(path);
    QDir folder(folderPath);
    if (!folder.mkpath(QStringLiteral(".")))
        return CreateFileError(folderPath);
    const QString copy = folder.filePath(DatedCopyName(path, today));
    // Through a temporary name, so that the day's earlier copy stays until
    // the new one is whole.
    const QString partial = copy + QStringLiteral(".part");
    QFile::remove(partial);
    if (!LinkOrCopy(path, partial))
        return WriteFileError(copy, QFileInfo(path).size());
    QFile::remove(copy);
    if (!QFile::rename(partial, copy)) {
        QFile::remove(partial);
        return CreateFileError(copy);
    }
    for (const QString& name : DatedCopiesToRemove(path, folder.entryList(QDir::Files), kept))
        folder.remove(name);
    return std::nullopt;
}

std::vector<TDatedCopy> DatedCopiesOf(const QString& path) {
    const QFileInfo file(path);
    const QDir folder(DatedCopiesFolder(path));
    std::vector<TDatedCopy> copies;
    for (const QString& name : folder.entryList(QDir::Files)) {
        if (const QDate day = DayOf(file, name); day.isValid())
            copies.push_back({day, folder.filePath(name)});
    }
    std::sort(copies.begin(), copies.end(),
              [](const TDatedCopy& a, const TDatedCopy& b) { return a.Day > b.Day; });
    return copies;
}
