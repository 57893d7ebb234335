#include "data/PData.h"

#include "data/Cp1252.h"

#include <initializer_list>
#include <limits>
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

void TPData::EnsureEntry(int index) {
    if (index < 0)
        throw EListError(index);
    // Entries are nearly always set in order, each one just past the end.
    if (index == LevelCount()) {
        FMarks.push_back(NoMark);
        if (WideLevels())
            FWideLevels.push_back(DefaultLevel);
        else
            FLevels.push_back(std::int8_t(DefaultLevel));
    } else if (index > LevelCount()) {
        SetLevelCount(index + 1);
    }
}

void TPData::SetLevel(int index, int level) {
    EnsureEntry(index);
    const auto at = std::size_t(index);
    if (WideLevels()) {
        FWideLevels[at] = level;
    } else if (level >= std::numeric_limits<std::int8_t>::min() &&
               level <= std::numeric_limits<std::int8_t>::max()) {
        FLevels[at] = std::int8_t(level);
    } else {
        FWideLevels.assign(FLevels.begin(), FLevels.end());
        FLevels = std::vector<std::int8_t>();
        FWideLevels[at] = level;
    }
}

void TPData::AppendWideLevel(int level, double mark) {
    SetLevel(LevelCount(), level);
    FMarks.back() = mark;
}

void TPData::SetMark(int index, double mark) {
    EnsureEntry(index);
    FMarks[std::size_t(index)] = mark;
}

void TPData::SetLevelCount(int count) {
    // A list is never emptied this way: a pupil of a class without subjects
    // keeps what it had.
    if (count <= 0)
        return;
    const auto size = std::size_t(count);
    FMarks.resize(size, NoMark);
    if (WideLevels())
        FWideLevels.resize(size, DefaultLevel);
    else
        FLevels.resize(size, DefaultLevel);
    if (FComments.size() > count) {
        FComments.resize(count);
        DropEmptyComments(FComments);
    }
}

void TPData::ReserveLevels(int count) {
    const auto size = std::size_t(std::max(count, 0));
    FMarks.reserve(size);
    if (WideLevels())
        FWideLevels.reserve(size);
    else
        FLevels.reserve(size);
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
    return StoredLine(text).trimmed();
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

namespace {

// Whether the text may hold something a record does not store as it is: a
// character outside the code page's plain range, a control character, a "|".
// One pass with no early exit, for the common text that holds none of them.
bool NeedsFitting(QStringView text) {
    unsigned found = 0;
    for (const char16_t *p = text.utf16(), *end = p + text.size(); p != end; ++p) {
        const unsigned u = *p;
        found |= unsigned(u < 0x20) | unsigned(u == u'|') | unsigned(u - 0x80 < 0x20) |
                 unsigned(u > 0xFF);
    }
    return found != 0;
}

QString Fitted(const QString& text) {
    QString fitted = Cp1252::FitToWindows1252(text);
    if (fitted.contains(u'\r') || fitted.contains(u'\n')) {
        fitted.replace(u'\r', u' ');
        fitted.replace(u'\n', u' ');
    }
    return fitted;
}

} // namespace

QString TPData::StoredLine(const QString& text) {
    if (!NeedsFitting(text))
        return text;
    // The file ends each line of a list with a "|": one inside a line would
    // split it in two at the next start.
    return Fitted(text).replace(u'|', u'/');
}

void TPData::SetReadIdentity(QString surname, QString name, QString birthDay, QString className,
                             QString sexe) {
    FSurname = std::move(surname);
    FName = std::move(name);
    FBirthDay = std::move(birthDay);
    FClassName = std::move(className);
    FSexe = std::move(sexe);
    for (QString* field : {&FSurname, &FName, &FBirthDay, &FClassName, &FSexe})
        field->truncate(MaxTextLength);
}

QString TPData::StoredText(const QString& text) {
    QString stored = NeedsFitting(text) ? Fitted(text) : text;
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
