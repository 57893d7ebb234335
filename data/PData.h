#pragma once

#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <utility>

enum class TDataType : std::uint8_t { dtClass = 0, dtPupil = 1 };

// Levels 1 to 4 are the grid and printed columns A, B, C and "?".
constexpr int DefaultLevel = 4;
constexpr double NoMark = -1.0;

// Raised for an index that a list cannot take; the text is the user's.
class EListError : public std::out_of_range {
public:
    explicit EListError(long long index);
};

// A pupil's evaluations, most of a workspace's memory: a mark as a double
// and a level in one byte each, or all levels in 32 bits once one does not
// fit a byte (levels beyond A, B, C and "?" come only from files made by
// hand). Marks and levels share one block: a load makes one per pupil.
class TEvaluations {
public:
    TEvaluations() = default;
    TEvaluations(const TEvaluations& other);
    TEvaluations(TEvaluations&& other) noexcept { Swap(other); }
    TEvaluations& operator=(TEvaluations other) noexcept {
        Swap(other);
        return *this;
    }
    ~TEvaluations();

    int Count() const { return FCount; }
    // Entries from 0 to Count() - 1.
    int Level(int at) const { return FWide ? WideLevels()[at] : NarrowLevels()[at]; }
    double Mark(int at) const { return FMarks[at]; }
    void SetLevel(int at, int level);
    void SetMark(int at, double mark) { FMarks[at] = mark; }

    void Append(int level, double mark) {
        if (FCount < FCapacity && !FWide && level == std::int8_t(level)) {
            FMarks[FCount] = mark;
            NarrowLevels()[FCount] = std::int8_t(level);
            ++FCount;
        } else {
            AppendGrowing(level, mark);
        }
    }
    // Entries added at the end take that level and mark.
    void Resize(int count, int level, double mark);
    void Reserve(int count);

private:
    // The levels follow the marks in the block.
    std::int8_t* NarrowLevels() const { return reinterpret_cast<std::int8_t*>(FMarks + FCapacity); }
    std::int32_t* WideLevels() const { return reinterpret_cast<std::int32_t*>(FMarks + FCapacity); }
    // The level stored at `at`, in the block's current width.
    void StoreLevel(int at, int level) {
        if (FWide)
            WideLevels()[at] = level;
        else
            NarrowLevels()[at] = std::int8_t(level);
    }
    static std::size_t LevelBytes(bool wide) {
        return wide ? sizeof(std::int32_t) : sizeof(std::int8_t);
    }
    void Reallocate(int capacity, bool wide);
    void AppendGrowing(int level, double mark);
    void Swap(TEvaluations& other) noexcept {
        std::swap(FMarks, other.FMarks);
        std::swap(FCount, other.FCount);
        std::swap(FCapacity, other.FCapacity);
        std::swap(FWide, other.FWide);
    }

    double* FMarks = nullptr;
    int FCount = 0;
    int FCapacity = 0;
    bool FWide = false;
};

// The record of one class or one pupil. Its texts hold only what the
// workspace file can hold (see Cp1252::FitToWindows1252); the five identity
// texts are cut to MaxTextLength characters and never contain a line break,
// nor does any of the Lines, which never contain a "|" either.
class TPData {
public:
    static constexpr int MaxTextLength = 255;

    explicit TPData(TDataType kind);

    TDataType DataType() const { return FDataType; }
    bool IsClass() const { return FDataType == TDataType::dtClass; }
    bool IsPupil() const { return FDataType == TDataType::dtPupil; }

    // Evaluations; meaningful for pupils only.
    int LevelCount() const { return FEvaluations.Count(); }
    int GetLevel(int index) const {
        return index < 0 || index >= LevelCount() ? DefaultLevel : FEvaluations.Level(index);
    }
    double GetMark(int index) const {
        return index < 0 || index >= LevelCount() ? NoMark : FEvaluations.Mark(index);
    }
    void SetLevel(int index, int level);
    void SetMark(int index, double mark);
    void SetLevelCount(int count);
    // Adds one entry at the end, as a reader fills the list in order.
    void AppendLevel(int level, double mark) { FEvaluations.Append(level, mark); }
    // Room for that many entries, so that setting them one by one does not
    // grow the list again and again; the entries themselves stay as they are.
    void ReserveLevels(int count);

    // The class's subject lines, or the pupil's remark lines.
    const QStringList& Lines() const { return FLines; }
    void AssignLines(const QStringList* source);
    void SetLines(const QStringList& source);
    void AppendLine(const QString& line);

    const QString& Surname() const { return FSurname; }
    const QString& Name() const { return FName; }
    const QString& BirthDay() const { return FBirthDay; }
    const QString& ClassName() const { return FClassName; }
    const QString& Sexe() const { return FSexe; }
    void SetSurname(const QString& text) { FSurname = StoredText(text); }
    void SetName(const QString& text) { FName = StoredText(text); }
    void SetBirthDay(const QString& text) { FBirthDay = StoredText(text); }
    void SetClassName(const QString& text) { FClassName = StoredText(text); }
    void SetSexe(const QString& text) { FSexe = StoredText(text); }

    // For the workspace file's reader: text decoded from the file is already
    // what a record stores (characters of the code page, no line break, no
    // "|" in a line of a list), so it is taken as it is, an identity text
    // only cut to MaxTextLength.
    void SetReadIdentity(QString surname, QString name, QString birthDay, QString className,
                         QString sexe);
    void AppendReadLine(QString line) { FLines.append(std::move(line)); }
    // Room for that many more lines, so that the list is allocated once.
    void ReserveLines(qsizetype count) { FLines.reserve(FLines.size() + count); }

    // What a text field stores of the given text: fitted to the file's code
    // page, line breaks turned into blanks, cut to MaxTextLength.
    static QString StoredText(const QString& text);
    // What one of the Lines stores: fitted likewise, and with "/" for "|".
    static QString StoredLine(const QString& text);

    // A pupil's comment on one subject line ("revoir les tables de 7"),
    // entry i belonging to subject line i like the evaluations; empty where
    // there is none. A comment is one line without "|" (the file's
    // separator, which becomes "/").
    const QString& GetComment(int index) const;
    void SetComment(int index, const QString& text);
    bool HasComments() const;
    static QString StoredComment(const QString& text);

private:
    void EnsureEntry(int index);

    TDataType FDataType;
    TEvaluations FEvaluations;
    QStringList FLines;
    QStringList FComments; // empty for most pupils: no cost for them
    QString FSurname;
    QString FName;
    QString FBirthDay;
    QString FClassName;
    QString FSexe;
};

// The three sexes, in the order of the choosers; index 2 is the default.
inline const std::array<QString, 3>& SexeValues() {
    static const std::array<QString, 3> values = {QStringLiteral("Garçon"), QStringLiteral("Fille"),
                                                  QStringLiteral("Je ne sais pas")};
    return values;
}
constexpr int DefaultSexeIndex = 2;

// The image and the selected-state image of a record's tree node.
std::pair<int, int> NodeImages(const TPData& data);
