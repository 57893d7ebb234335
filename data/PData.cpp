#include "data/PData.h"

#include "data/Cp1252.h"

#include <algorithm>
#include <cstring>
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

TEvaluations::TEvaluations(const TEvaluations& other) {
    if (other.FCount == 0)
        return;
    Reallocate(other.FCount, other.FWide);
    FCount = other.FCount;
    std::memcpy(FMarks, other.FMarks, sizeof(double) * std::size_t(FCount));
    std::memcpy(FMarks + FCapacity, other.FMarks + other.FCapacity,
                LevelBytes(FWide) * std::size_t(FCount));
}

TEvaluations::~TEvaluations() {
    ::operator delete(FMarks);
}

void TEvaluations::Reallocate(int capacity, bool wide) {
    const auto entries = std::size_t(capacity);
    auto* marks = static_cast<double*>(::operator new(entries*(sizeof(double) + LevelBytes(wide))));
    if (FCount > 0) {
        std::memcpy(marks, FMarks, sizeof(double) * std::size_t(FCount));
        if (wide && !FWide)
            std::copy_n(NarrowLevels(), FCount, reinterpret_cast<std::int32_t*>(marks + capacity));
        else
            std::memcpy(marks + capacity, FMarks + FCapacity,
                        LevelBytes(wide) * std::size_t(FCount));
    }
    ::operator delete(FMarks);
    FMarks = marks;
    FCapacity = capacity;
    FWide = wide;
}

void TEvaluations::SetLevel(int at, int level) {
    if (!FWide && level != std::int8_t(level))
        Reallocate(FCapacity, true);
    StoreLevel(at, level);
}

void TEvaluations::AppendGrowing(int level, double mark) {
    const bool wide = FWide || level != std::int8_t(level);
    if (FCount == FCapacity)
        Reallocate(std::max(2 * FCapacity, 1), wide);
    else if (wide != FWide)
        Reallocate(FCapacity, wide);
    FMarks[FCount] = mark;
    StoreLevel(FCount, level);
    ++FCount;
}

void TEvaluations::Resize(int count, int level, double mark) {
    if (count > FCapacity)
        Reallocate(count, FWide);
    for (int at = FCount; at < count; ++at) {
        FMarks[at] = mark;
        StoreLevel(at, level);
    }
    FCount = count;
}

void TEvaluations::Reserve(int count) {
    if (count > FCapacity)
        Reallocate(count, FWide);
}

void TPData::EnsureEntry(int index) {
    if (index < 0)
        throw EListError(index);
    // Entries are nearly always set in order, each one just past the end.
    if (index == LevelCount())
        FEvaluations.Append(DefaultLevel, NoMark);
    else if (index > LevelCount())
        SetLevelCount(index + 1);
}

void TPData::SetLevel(int index, int level) {
    EnsureEntry(index);
    FEvaluations.SetLevel(index, level);
}

void TPData::SetMark(int index, double mark) {
    EnsureEntry(index);
    FEvaluations.SetMark(index, mark);
}

void TPData::SetLevelCount(int count) {
    // A list is never emptied this way: a pupil of a class without subjects
    // keeps what it had.
    if (count <= 0)
        return;
    FEvaluations.Resize(count, DefaultLevel, NoMark);
    if (FComments.size() > count) {
        FComments.resize(count);
        DropEmptyComments(FComments);
    }
}

void TPData::ReserveLevels(int count) {
    FEvaluations.Reserve(count);
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
