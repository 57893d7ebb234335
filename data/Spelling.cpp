#include "data/Spelling.h"

#include "data/SafeFile.h"
#include "data/Utf8Text.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace {

// The elided words of French, which the dictionary knows only glued to the
// word that follows ("l'" + "école"); the word after one may be a name.
bool IsElision(QStringView part) {
    static const QSet<QString> elisions = {
        QStringLiteral("l"),      QStringLiteral("d"),      QStringLiteral("j"),
        QStringLiteral("m"),      QStringLiteral("n"),      QStringLiteral("s"),
        QStringLiteral("t"),      QStringLiteral("c"),      QStringLiteral("ç"),
        QStringLiteral("qu"),     QStringLiteral("jusqu"),  QStringLiteral("lorsqu"),
        QStringLiteral("puisqu"), QStringLiteral("quoiqu"), QStringLiteral("presqu")};
    return elisions.contains(part.toString().toLower());
}

bool IsApostrophe(QChar c) {
    return c == u'\'' || c == u'\u2019';
}

// Words in capitals are abbreviations ("EPS", "CDI") more often than not.
bool IsAllCapitals(QStringView word) {
    int letters = 0;
    for (QChar c : word) {
        if (c.isLetter()) {
            if (!c.isUpper())
                return false;
            ++letters;
        }
    }
    return letters >= 2;
}

} // namespace

QStringList ReadWordList(QByteArrayView bytes) {
    QStringList words;
    const QString text = DecodeUtf8Text(bytes).Text;
    for (QStringView line : QStringView(text).split(u'\n')) {
        const QStringView word = line.trimmed();
        if (!word.isEmpty())
            words.append(word.toString());
    }
    return words;
}

QByteArray AppendToWordList(const QByteArray& bytes, const QString& word) {
    QByteArray result = bytes;
    if (!result.isEmpty() && !result.endsWith('\n'))
        result += '\n';
    result += word.trimmed().toUtf8();
    result += '\n';
    return result;
}

TSpelling::TSpelling(QObject* parent)
    : QObject(parent) {}

TSpelling::~TSpelling() {
    // The thread writes into this object until it ends.
    if (FLoader)
        FLoader->wait();
}

void TSpelling::Open(const TDictionaryFiles& files, const QString& wordListFile,
                     bool inBackground) {
    FFiles = files;
    FWordListFile = wordListFile;
    FPersonal.clear();
    if (!wordListFile.isEmpty()) {
        if (auto bytes = ReadFileHead(wordListFile, MaxWordListBytes)) {
            for (const QString& word : ReadWordList(bytes->left(MaxWordListBytes)))
                FPersonal.insert(word.toLower());
        }
    }
    if (files.IsEmpty()) {
        FState = TState::Off;
        return;
    }
    FState = TState::Loading;
    if (!inBackground) {
        FLoaded = TSpellChecker::Open(files);
        Loaded();
        return;
    }
    FLoader.reset(QThread::create([this, files] { FLoaded = TSpellChecker::Open(files); }));
    connect(FLoader.get(), &QThread::finished, this, &TSpelling::Loaded);
    // Idle priority (SCHED_IDLE on Linux): the dictionary takes a core only
    // when the window and the display server leave it, so that loading it
    // never slows the start-up.
    FLoader->start(QThread::IdlePriority);
}

void TSpelling::Loaded() {
    FChecker = std::move(FLoaded);
    FState = FChecker ? TState::On : TState::Off;
    Q_EMIT Changed();
}

QString TSpelling::StatusText() const {
    switch (FState) {
    case TState::On:
    case TState::Loading:
        return QStringLiteral("La vérification de l'orthographe est active (dictionnaire « %1 »).")
            .arg(QDir::toNativeSeparators(FFiles.Dic));
    case TState::Off:
        break;
    }
    if (FFiles.IsEmpty())
        return QStringLiteral("La vérification de l'orthographe est désactivée : aucun "
                              "dictionnaire français n'a été trouvé (paquet hunspell-fr, ou "
                              "fr_FR.aff et fr_FR.dic dans le dossier du programme).");
    return QStringLiteral("La vérification de l'orthographe est désactivée : le dictionnaire "
                          "« %1 » est illisible.")
        .arg(QDir::toNativeSeparators(FFiles.Dic));
}

bool TSpelling::IsKnown(const QString& word) const {
    const QString lower = word.toLower();
    return FPersonal.contains(lower) || FIgnored.contains(lower) || FContext.contains(lower);
}

bool TSpelling::IsWordCorrect(const QString& word) {
    return IsKnown(word) || IsAllCapitals(word) || FChecker->IsCorrect(word);
}

// A word joined from parts ("Dupont-Martin", "d'Emma") is correct when the
// whole is, or else when every part is: then only the wrong parts are
// marked.
void TSpelling::CheckWord(QStringView text, TWordSpan span, std::vector<TWordSpan>& misspelt) {
    const QStringView word = text.mid(span.Start, span.Length);
    if (IsWordCorrect(word.toString()))
        return;
    std::vector<TWordSpan> parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= word.size(); ++i) {
        if (i < word.size() && word[i].isLetterOrNumber())
            continue;
        if (i < word.size() && word[i].isMark())
            continue;
        if (i > start) {
            const QStringView part = word.mid(start, i - start);
            const bool elided = i < word.size() && IsApostrophe(word[i]) && IsElision(part);
            if (!elided)
                parts.push_back({span.Start + int(start), int(i - start)});
        }
        start = i + 1;
    }
    if (parts.size() == 1 && parts.front().Length == span.Length) {
        misspelt.push_back(span);
        return;
    }
    for (const TWordSpan& part : parts) {
        if (!IsWordCorrect(text.mid(part.Start, part.Length).toString()))
            misspelt.push_back(part);
    }
}

std::vector<TWordSpan> TSpelling::Misspelt(QStringView text) {
    std::vector<TWordSpan> misspelt;
    if (FState != TState::On)
        return misspelt;
    for (const TWordSpan& span : SpellWords(text))
        CheckWord(text, span, misspelt);
    return misspelt;
}

bool TSpelling::IsMisspelt(const QString& word) {
    std::vector<TWordSpan> misspelt;
    if (FState == TState::On)
        CheckWord(word, {0, int(word.size())}, misspelt);
    return !misspelt.empty();
}

QStringList TSpelling::Suggestions(const QString& word) {
    return FState == TState::On ? FChecker->Suggestions(word, MaxSuggestions) : QStringList();
}

void TSpelling::Ignore(const QString& word) {
    FIgnored.insert(word.toLower());
    Q_EMIT Changed();
}

std::optional<QString> TSpelling::AddToDictionary(const QString& word) {
    const QString trimmed = word.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    FPersonal.insert(trimmed.toLower());
    Q_EMIT Changed();
    if (FWordListFile.isEmpty())
        return std::nullopt;
    // Whatever the file holds (even what this program could not make sense
    // of) stays as it is; the word goes at its end.
    QByteArray bytes;
    if (QFileInfo::exists(FWordListFile)) {
        auto read = ReadWholeFile(FWordListFile);
        if (!read)
            return OpenFileError(FWordListFile);
        bytes = std::move(*read);
    }
    return WriteWholeFile(FWordListFile, AppendToWordList(bytes, trimmed));
}

void TSpelling::SetContextWords(const QStringList& texts) {
    if (texts == FContextTexts)
        return;
    FContextTexts = texts;
    FContext.clear();
    for (const QString& text : texts) {
        for (const TWordSpan& span : SpellWords(text)) {
            const QString word = text.mid(span.Start, span.Length).toLower();
            FContext.insert(word);
            // The parts of a compound name count too ("Jean-Marc", "N'Diaye").
            QString apart = word;
            apart.replace(u'-', u' ').replace(u'\'', u' ').replace(u'\u2019', u' ');
            for (const TWordSpan& part : SpellWords(apart))
                FContext.insert(word.mid(part.Start, part.Length));
        }
    }
    Q_EMIT Changed();
}
