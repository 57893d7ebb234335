#include "data/PupilFields.h"

#include "data/PData.h"

#include <QRegularExpression>
#include <QStringList>

#include <array>

namespace {

// Lower case without accents, letters and digits only, text in parentheses
// left out: "Né(e) le" gives "nele", "DATE_NAISS." gives "datenaiss".
QString Key(QStringView text) {
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString key;
    key.reserve(decomposed.size());
    int depth = 0;
    for (QChar c : decomposed) {
        if (c == u'(' || c == u'[') {
            ++depth;
        } else if (c == u')' || c == u']') {
            depth = std::max(0, depth - 1);
        } else if (depth == 0 && c.isLetterOrNumber() && !c.isMark()) {
            key += c.toCaseFolded();
        }
    }
    return key;
}

bool OneOf(const QString& key, std::initializer_list<const char16_t*> keys) {
    for (const char16_t* k : keys) {
        if (key == QStringView(k))
            return true;
    }
    return false;
}

// "Nom de l'élève", "Prénom élève", "Sexe enfant": the field without the
// word that says whose it is.
QString WithoutWhose(QString key) {
    for (const char16_t* whose :
         {u"deleleve", u"delenfant", u"dueleve", u"eleve", u"enfant", u"student", u"pupil"}) {
        const QStringView suffix(whose);
        if (key.size() > suffix.size() && key.endsWith(suffix)) {
            key.chop(suffix.size());
            break;
        }
    }
    if (key.size() > 5 && key.startsWith(u"eleve"))
        key.remove(0, 5);
    return key;
}

} // namespace

THeaderMatch MatchPupilHeader(QStringView header) {
    const QString whole = Key(header);
    if (OneOf(whole, {u"eleve", u"eleves", u"nomprenom", u"nomsprenoms", u"nometprenom",
                      u"nomsetprenoms", u"prenomnom", u"prenometnom", u"identite", u"nomcomplet",
                      u"fullname", u"student", u"pupil", u"enfant", u"name"}))
        return {TPupilColumn::Surname, 2, true, false};
    const QString key = WithoutWhose(whole);
    if (OneOf(key, {u"nomdusage", u"nomusage", u"nomusuel", u"nomutilise"}))
        return {TPupilColumn::Surname, 0, false, false};
    if (OneOf(key, {u"nomdefamille", u"nomfamille", u"nomdenaissance", u"nomnaissance",
                    u"nompatronymique", u"patronyme", u"nomdenaissanceeleve"}))
        return {TPupilColumn::Surname, 1, false, true};
    if (OneOf(key, {u"nom", u"lastname", u"surname", u"familyname"}))
        return {TPupilColumn::Surname, 1, false, true};
    if (OneOf(key, {u"nomprenom", u"nometprenom", u"nomsprenoms", u"nomsetprenoms"}))
        return {TPupilColumn::Surname, 2, true, false};
    if (OneOf(key, {u"prenomusuel", u"prenomdusage", u"prenomusage", u"prenomutilise"}))
        return {TPupilColumn::Name, 0, false, false};
    if (OneOf(key, {u"prenom", u"prenom1", u"premierprenom", u"1erprenom", u"firstname",
                    u"givenname", u"forename"}))
        return {TPupilColumn::Name, 1, false, false};
    if (OneOf(key, {u"prenoms", u"firstnames", u"givennames"}))
        return {TPupilColumn::Name, 2, false, false};
    if (key.startsWith(u"datedenaiss") || key.startsWith(u"datenaiss") ||
        key.startsWith(u"datedenais") || key.startsWith(u"datenais") ||
        OneOf(key, {u"naissance", u"nele", u"neele", u"ne", u"nee", u"ddn", u"dn", u"dob",
                    u"dateofbirth", u"birthdate", u"birthday", u"datenaissance"}))
        return {TPupilColumn::BirthDay, 1, false, false};
    if (key.startsWith(u"sexe") ||
        OneOf(key, {u"genre", u"sex", u"gender", u"codesexe", u"libellesexe", u"fg", u"gf", u"mf",
                    u"fm", u"fillegarcon", u"garconfille"}))
        return {TPupilColumn::Sexe, 1, false, false};
    return {};
}

namespace {

// The sex as a key: "Masc." gives "masc", "Garçon" "garcon".
QString SexeKey(QStringView text) {
    return Key(text);
}

int SexeIndexOf(QStringView text) {
    const QString key = SexeKey(text);
    if (OneOf(key, {u"m", u"g", u"h", u"1", u"masculin", u"masc", u"mas", u"garcon", u"garc",
                    u"gar", u"gars", u"homme", u"male", u"boy", u"b"}))
        return 0;
    if (OneOf(key,
              {u"f", u"2", u"feminin", u"fem", u"fille", u"fil", u"femme", u"female", u"girl"}))
        return 1;
    return DefaultSexeIndex;
}

} // namespace

QString PupilSexeOf(QStringView text) {
    return SexeValues()[std::size_t(SexeIndexOf(text))];
}

bool IsKnownSexe(QStringView text) {
    return SexeIndexOf(text) != DefaultSexeIndex;
}

namespace {

int FullYear(int year, int digits, int thisYear) {
    if (digits != 2)
        return year;
    const int century = thisYear / 100 * 100;
    return century + year <= thisYear ? century + year : century - 100 + year;
}

int MonthOf(const QString& name) {
    static const std::array<const char16_t*, 12> stems = {u"jan", u"fev",  u"mar",  u"avr",
                                                          u"mai", u"juin", u"juil", u"aou",
                                                          u"sep", u"oct",  u"nov",  u"dec"};
    // "juin" and "juil" before "ju…" is ambiguous; "mars" and "mai" differ at
    // their third letter.
    for (std::size_t i = 0; i < stems.size(); ++i) {
        if (name.startsWith(QStringView(stems[i])))
            return int(i) + 1;
    }
    return 0;
}

} // namespace

std::optional<QDate> ParseBirthDate(QStringView input, int thisYear) {
    // A time after the date (a spreadsheet's "2016-05-03 00:00:00" or
    // "2016-05-03T00:00:00Z") says nothing more.
    static const QRegularExpression dayFirst(QStringLiteral(
        R"(^(\d{1,2})([/.\-])(\d{1,2})\2(\d{4}|\d{2})(?:[ T]\d{1,2}:\d{2}(?::\d{2}(?:\.\d+)?)?)?$)"));
    static const QRegularExpression yearFirst(
        QStringLiteral(R"(^(\d{4})([/.\-])(\d{1,2})\2(\d{1,2})(?:[ T]\d{1,2}:\d{2}(?::\d{2})?)"
                       R"((?:\.\d+)?(?:Z|[+\-]\d{2}:?\d{2})?)?$)"));
    static const QRegularExpression spelled(
        QStringLiteral(R"(^(\d{1,2})(?:er)?\s+(\p{L}+)\.?\s+(\d{4})$)"));
    const QString text = input.trimmed().toString();
    if (text.isEmpty() || text.size() > 40)
        return std::nullopt;
    QDate date;
    if (const auto m = dayFirst.match(text); m.hasMatch()) {
        date = QDate(FullYear(m.captured(4).toInt(), int(m.capturedLength(4)), thisYear),
                     m.captured(3).toInt(), m.captured(1).toInt());
    } else if (const auto y = yearFirst.match(text); y.hasMatch()) {
        date = QDate(y.captured(1).toInt(), y.captured(3).toInt(), y.captured(4).toInt());
    } else if (const auto s = spelled.match(text); s.hasMatch()) {
        const int month = MonthOf(Key(s.captured(2)));
        if (month > 0)
            date = QDate(s.captured(3).toInt(), month, s.captured(1).toInt());
    }
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString FormatBirthDate(QDate date, const TRegionalSettings& regional) {
    QString format = regional.ShortDateFormat;
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return regional.Locale.toString(date, format);
}

namespace {

// A word in capitals: letters, none of them lower case ("D'ALMEIDA", "N'DIAYE").
bool InCapitals(QStringView word) {
    bool letter = false;
    for (QChar c : word) {
        if (c.isLower())
            return false;
        letter = letter || c.isLetter();
    }
    return letter;
}

bool HasLowerCase(QStringView word) {
    for (QChar c : word) {
        if (c.isLower())
            return true;
    }
    return false;
}

} // namespace

std::optional<std::pair<QString, QString>> SplitWholeName(QStringView input) {
    const QString text = input.trimmed().toString();
    if (const qsizetype comma = text.indexOf(u','); comma > 0) {
        const QString surname = text.left(comma).trimmed();
        const QString name = text.mid(comma + 1).trimmed();
        if (!surname.isEmpty() && !name.isEmpty())
            return std::pair(surname, name);
    }
    // Words parted by any blank: a tab pasted between them is no part of a name.
    const QStringList words = text.simplified().split(u' ', Qt::SkipEmptyParts);
    if (words.size() < 2)
        return std::nullopt;
    qsizetype leading = 0;
    while (leading < words.size() && InCapitals(words[leading]))
        ++leading;
    auto join = [&words](qsizetype from, qsizetype to) {
        return words.mid(from, to - from).join(u' ');
    };
    if (leading > 0 && leading < words.size() && HasLowerCase(words[leading]))
        return std::pair(join(0, leading), join(leading, words.size()));
    qsizetype trailing = words.size();
    while (trailing > 0 && InCapitals(words[trailing - 1]))
        --trailing;
    if (trailing > 0 && trailing < words.size() && HasLowerCase(words[0]))
        return std::pair(join(trailing, words.size()), join(0, trailing));
    return std::nullopt;
}
