#include "data/PData.h"

#include "data/Cp1252.h"

#include <string>

namespace {

// Trailing empty comments are not kept: no comment, no entries.
void DropEmptyComments(QStringList& comments) {
    while (!comments.isEmpty() && comments.constLast().isEmpty())
        comments.removeLast();
}

} // namespace

EListError::EListError(long long index)
    : std::out_of_range(
          QStringLiteral("Indice de liste hors limites (%1)").arg(index).toStdString()) {}

TPData::TPData(TDataType kind)
    : FDataType(kind) {}

int TPData::GetLevel(int index) const {
    if (index < 0 || index >= LevelCount())
        return DefaultLevel;
    return FLevels[std::size_t(index)].Level;
}

double TPData::GetMark(int index) const {
    if (index < 0 || index >= LevelCount())
        return NoMark;
    return FLevels[std::size_t(index)].Mark;
}

TLevelRec& TPData::EntryAt(int index) {
    if (index < 0)
        throw EListError(index);
    if (index == LevelCount())
        FLevels.emplace_back();
    else if (index > LevelCount())
        FLevels.resize(std::size_t(index) + 1);
    return FLevels[std::size_t(index)];
}

void TPData::SetLevel(int index, int level) {
    EntryAt(index).Level = level;
}

void TPData::SetMark(int index, double mark) {
    EntryAt(index).Mark = mark;
}

void TPData::SetLevelCount(int count) {
    // A list is never emptied this way: a pupil of a class without subjects
    // keeps what it had.
    if (count <= 0)
        return;
    FLevels.resize(std::size_t(count));
    if (FComments.size() > count) {
        FComments.resize(count);
        DropEmptyComments(FComments);
    }
}

const QString& TPData::GetComment(int index) const {
    static const QString none;
    return index >= 0 && index < FComments.size() ? FComments[index] : none;
}

void TPData::SetComment(int index, const QString& text) {
    if (index < 0)
        throw EListError(index);
    const QString comment = StoredComment(text);
    if (index >= FComments.size()) {
        if (comment.isEmpty())
            return;
        FComments.resize(index + 1);
    }
    FComments[index] = comment;
    DropEmptyComments(FComments);
}

bool TPData::HasComments() const {
    return !FComments.isEmpty();
}

QString TPData::StoredComment(const QString& text) {
    return StoredLine(text).replace(u'|', u'/').trimmed();
}

void TPData::AssignLines(const QStringList* source) {
    FLines.clear();
    if (source && !source->isEmpty())
        SetLines(*source);
}

void TPData::SetLines(const QStringList& source) {
    FLines.clear();
    FLines.reserve(source.size());
    for (const QString& line : source)
        FLines.append(StoredLine(line));
}

void TPData::AppendLine(const QString& line) {
    FLines.append(StoredLine(line));
}

QString TPData::StoredLine(const QString& text) {
    QString line = Cp1252::FitToWindows1252(text);
    if (line.contains(u'\r') || line.contains(u'\n')) {
        line.replace(u'\r', u' ');
        line.replace(u'\n', u' ');
    }
    return line;
}

QString TPData::StoredText(const QString& text) {
    QString stored = StoredLine(text);
    stored.truncate(MaxTextLength);
    return stored;
}

std::pair<int, int> NodeImages(const TPData& data) {
    if (data.IsClass())
        return {0, 1};
    if (data.Sexe() == SexeValues()[2])
        return {2, 3};
    if (data.Sexe() == SexeValues()[0])
        return {4, 5};
    return {6, 7};
}
