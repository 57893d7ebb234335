#include "data/SpellChecker.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <hunspell/hunspell.hxx>

namespace {

// Past this many answers the oldest are not worth their memory: start over.
constexpr qsizetype kMaxAnswers = 100'000;

bool IsWordPart(QChar c) {
    return c.isLetterOrNumber() || c.isMark();
}

bool IsJoiner(QChar c) {
    return c == u'\'' || c == u'\u2019' || c == u'-' || c == u'\u2011';
}

// Hunspell names its encodings its own way ("ISO8859-15"); Qt wants the
// usual names.
QByteArray CodecName(const std::string& hunspellName) {
    QByteArray name = QByteArray::fromStdString(hunspellName).trimmed();
    if (name.toUpper().startsWith("ISO8859"))
        name = "ISO-8859" + name.mid(7);
    return name;
}

} // namespace

std::vector<TWordSpan> SpellWords(QStringView text) {
    std::vector<TWordSpan> words;
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        if (!IsWordPart(text[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        bool digit = false;
        while (i < size) {
            const QChar c = text[i];
            if (IsWordPart(c)) {
                digit = digit || c.isDigit();
                ++i;
            } else if (IsJoiner(c) && i + 1 < size && IsWordPart(text[i + 1])) {
                ++i;
            } else {
                break;
            }
        }
        if (!digit)
            words.push_back({int(start), int(i - start)});
    }
    return words;
}

TDictionaryFiles FindFrenchDictionary(const QStringList& folders) {
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& name : {QStringLiteral("fr_FR"), QStringLiteral("fr")}) {
            const QString aff = dir.filePath(name + QStringLiteral(".aff"));
            const QString dic = dir.filePath(name + QStringLiteral(".dic"));
            if (QFileInfo(aff).isFile() && QFileInfo(dic).isFile())
                return {aff, dic};
        }
    }
    return {};
}

QStringList DictionaryFolders(const QString& programFolder) {
    return {programFolder, QStringLiteral("/usr/share/hunspell"),
            QStringLiteral("/usr/share/myspell/dicts"), QStringLiteral("/usr/share/myspell")};
}

std::unique_ptr<TSpellChecker> TSpellChecker::Open(const TDictionaryFiles& files) {
    if (files.IsEmpty() || !QFileInfo(files.Aff).isReadable() || !QFileInfo(files.Dic).isReadable())
        return nullptr;
    // Hunspell opens the files by their local 8-bit names.
    auto hunspell = std::make_unique<Hunspell>(QFile::encodeName(files.Aff).constData(),
                                               QFile::encodeName(files.Dic).constData());
    const QByteArray name = CodecName(hunspell->get_dict_encoding());
    const QByteArray upper = name.toUpper();
    if (upper == "UTF-8" || upper == "UTF8")
        return std::unique_ptr<TSpellChecker>(
            new TSpellChecker(std::move(hunspell), QStringConverter::Utf8, {}));
    if (upper == "ISO-8859-1" || upper == "LATIN1")
        return std::unique_ptr<TSpellChecker>(
            new TSpellChecker(std::move(hunspell), QStringConverter::Latin1, {}));
    if (!QStringEncoder(name.constData()).isValid())
        return nullptr;
    return std::unique_ptr<TSpellChecker>(
        new TSpellChecker(std::move(hunspell), QStringConverter::Utf8, name));
}

TSpellChecker::TSpellChecker(std::unique_ptr<Hunspell> hunspell,
                             QStringConverter::Encoding encoding, QByteArray codecName)
    : FHunspell(std::move(hunspell))
    , FEncoding(encoding)
    , FCodecName(std::move(codecName)) {}

TSpellChecker::~TSpellChecker() = default;

bool TSpellChecker::Encode(const QString& word, std::string& out) const {
    QStringEncoder encoder =
        FCodecName.isEmpty() ? QStringEncoder(FEncoding) : QStringEncoder(FCodecName.constData());
    // Latin-1 has no error state of its own: check the characters.
    if (FCodecName.isEmpty() && FEncoding == QStringConverter::Latin1) {
        for (QChar c : word) {
            if (c.unicode() > 0xFF)
                return false;
        }
    }
    const QByteArray bytes = encoder.encode(word);
    if (encoder.hasError())
        return false;
    out = bytes.toStdString();
    return true;
}

QString TSpellChecker::Decode(const std::string& bytes) const {
    QStringDecoder decoder =
        FCodecName.isEmpty() ? QStringDecoder(FEncoding) : QStringDecoder(FCodecName.constData());
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

bool TSpellChecker::IsCorrect(const QString& word) {
    if (const auto found = FAnswers.constFind(word); found != FAnswers.constEnd())
        return found.value();
    std::string encoded;
    const bool correct = !Encode(word, encoded) || FHunspell->spell(encoded);
    if (FAnswers.size() >= kMaxAnswers)
        FAnswers.clear();
    FAnswers.insert(word, correct);
    return correct;
}

QStringList TSpellChecker::Suggestions(const QString& word, int count) {
    std::string encoded;
    if (!Encode(word, encoded))
        return {};
    QStringList suggestions;
    for (const std::string& suggestion : FHunspell->suggest(encoded)) {
        if (suggestions.size() >= count)
            break;
        suggestions.append(Decode(suggestion));
    }
    return suggestions;
}
