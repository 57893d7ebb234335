#pragma once

#include <QHash>
#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <vector>

class Hunspell;

// Where a word stands in a text, in UTF-16 units.
struct TWordSpan {
    int Start = 0;
    int Length = 0;

    bool operator==(const TWordSpan&) const = default;
};

// The words of a text as a spelling checker sees them: runs of letters,
// joined by an apostrophe (' or ’) or a hyphen that stands between two
// letters ("l'école", "peut-être" are one word each). Runs holding a digit
// ("CM1", "3e") are not words.
std::vector<TWordSpan> SpellWords(QStringView text);

// The affix and word files of one Hunspell dictionary.
struct TDictionaryFiles {
    QString Aff;
    QString Dic;

    bool IsEmpty() const { return Aff.isEmpty(); }
};

// The first French dictionary ("fr_FR", then "fr") found in the folders, in
// their order; empty when there is none.
TDictionaryFiles FindFrenchDictionary(const QStringList& folders);

// The folders a French dictionary is looked for in: beside the program
// first (a portable copy carries its own), then where Debian puts them.
QStringList DictionaryFolders(const QString& programFolder);

// One Hunspell dictionary. Words go to it in the dictionary's own encoding
// (its "SET" line: UTF-8 or a single-byte code page); a word the encoding
// cannot hold is not the dictionary's to judge and counts as correct.
// Answers are kept, so that checking the same words again costs a lookup.
class TSpellChecker {
public:
    // Nothing when the files cannot be read or name an encoding Qt lacks.
    static std::unique_ptr<TSpellChecker> Open(const TDictionaryFiles& files);
    ~TSpellChecker();
    TSpellChecker(const TSpellChecker&) = delete;
    TSpellChecker& operator=(const TSpellChecker&) = delete;

    bool IsCorrect(const QString& word);
    // At most count suggestions, the dictionary's best first. Slow (tens of
    // milliseconds): for a menu, never while typing.
    QStringList Suggestions(const QString& word, int count);
    // Forgets the answers kept: the next checks ask the dictionary again.
    void ForgetAnswers() { FAnswers.clear(); }

private:
    TSpellChecker(std::unique_ptr<Hunspell> hunspell, QStringConverter::Encoding encoding,
                  QByteArray codecName);
    bool Encode(const QString& word, std::string& out) const;
    QString Decode(const std::string& bytes) const;

    std::unique_ptr<Hunspell> FHunspell;
    QStringConverter::Encoding FEncoding;
    QByteArray FCodecName; // for encodings Qt knows only by name (ICU)
    QHash<QString, bool> FAnswers;
};
