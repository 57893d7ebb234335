#pragma once

#include "data/SpellChecker.h"

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class QThread;

// The personal word list "dictionnaire.txt": UTF-8, one word a line,
// blanks around a word and empty lines ignored.
QStringList ReadWordList(QByteArrayView bytes);
// The file's bytes with the word added as a line of its own; what the file
// held before is kept byte for byte.
QByteArray AppendToWordList(const QByteArray& bytes, const QString& word);

// The program's spelling: the French dictionary, opened in a thread of its
// own so that the window never waits for it, together with the words it
// does not know but the teacher does: the personal word list, the words
// ignored for this run, and the words of the class in view (its pupils'
// names and its subject names).
//
// Until the dictionary is ready, and for good when there is none, nothing
// is misspelt.
class TSpelling : public QObject {
    Q_OBJECT

public:
    enum class TState { Off, Loading, On };

    // At most this many suggestions in a menu.
    static constexpr int MaxSuggestions = 5;
    // A longer word list is read no further.
    static constexpr qsizetype MaxWordListBytes = 1 << 20;

    explicit TSpelling(QObject* parent = nullptr);
    ~TSpelling() override;

    // Opens the dictionary (in the background unless told otherwise) and
    // reads the personal word list kept in the given file.
    void Open(const TDictionaryFiles& files, const QString& wordListFile, bool inBackground = true);

    TState State() const { return FState; }
    // What "A propos" says of the spelling.
    QString StatusText() const;

    // The misspelt words of the text; empty while not On.
    std::vector<TWordSpan> Misspelt(QStringView text);
    bool IsMisspelt(const QString& word);
    QStringList Suggestions(const QString& word);

    // The word is known until the program ends.
    void Ignore(const QString& word);
    // The word is added to the personal word list; the error's text when the
    // file cannot be written (the word is then still known for this run).
    std::optional<QString> AddToDictionary(const QString& word);
    // The texts whose words count as known (names, subjects), replacing the
    // previous ones.
    void SetContextWords(const QStringList& texts);

Q_SIGNALS:
    // What counts as misspelt has changed: texts shown must be checked again.
    void Changed();

private:
    void Loaded();
    bool IsKnown(const QString& word) const;
    bool IsWordCorrect(const QString& word);
    void CheckWord(QStringView text, TWordSpan span, std::vector<TWordSpan>& misspelt);

    TState FState = TState::Off;
    TDictionaryFiles FFiles;
    std::unique_ptr<TSpellChecker> FChecker;
    std::unique_ptr<TSpellChecker> FLoaded; // written by the loading thread only
    std::unique_ptr<QThread> FLoader;
    QString FWordListFile;
    // All in lower case: a known word is known whatever its capitals.
    QSet<QString> FPersonal;
    QSet<QString> FIgnored;
    QSet<QString> FContext;
    QStringList FContextTexts;
};
