#include "data/RemarkAgreement.h"

#include "data/PData.h"

#include <optional>

namespace {

enum class TSex { Boy, Girl, Unknown };

TSex SexOf(const QString& sexe) {
    if (sexe.compare(SexeValues()[0], Qt::CaseInsensitive) == 0)
        return TSex::Boy;
    if (sexe.compare(SexeValues()[1], Qt::CaseInsensitive) == 0)
        return TSex::Girl;
    return TSex::Unknown;
}

// The field's letters without accents, in lower case: "Prénom" → "prenom".
QString FieldKey(QStringView field) {
    QString key;
    for (QChar c : field.toString().normalized(QString::NormalizationForm_D)) {
        if (!c.isMark())
            key += c.toLower();
    }
    return key;
}

// The value written as the field is: "{PRÉNOM}" all in capitals, "{Nom}"
// with a capital first letter, "{nom}" as the record holds it.
QString LikeField(QStringView field, QString value) {
    bool anyLower = false;
    int letters = 0;
    for (QChar c : field) {
        if (c.isLetter()) {
            ++letters;
            anyLower = anyLower || c.isLower();
        }
    }
    if (letters > 1 && !anyLower)
        return value.toUpper();
    if (!field.isEmpty() && field.front().isUpper() && !value.isEmpty())
        value[0] = value[0].toUpper();
    return value;
}

std::optional<QString> FieldValue(QStringView field, const TRemarkPupil& pupil) {
    const QString key = FieldKey(field);
    QString value;
    if (key == u"prenom")
        value = pupil.Name;
    else if (key == u"nom")
        value = pupil.Surname;
    else {
        const qsizetype slash = field.indexOf(u'/');
        if (slash < 0 || field.indexOf(u'/', slash + 1) >= 0)
            return std::nullopt;
        const QString masculine = field.left(slash).trimmed().toString();
        const QString feminine = field.sliced(slash + 1).trimmed().toString();
        if (masculine.isEmpty() && feminine.isEmpty())
            return std::nullopt;
        switch (SexOf(pupil.Sexe)) {
        case TSex::Boy:
            return masculine;
        case TSex::Girl:
            return feminine;
        case TSex::Unknown:
            return JoinedForms(masculine, feminine);
        }
        return std::nullopt;
    }
    value = value.trimmed();
    if (value.isEmpty())
        return std::nullopt;
    return LikeField(field, value);
}

} // namespace

QString JoinedForms(const QString& masculine, const QString& feminine) {
    if (masculine == feminine)
        return masculine;
    const qsizetype shorter = std::min(masculine.size(), feminine.size());
    qsizetype common = 0;
    while (common < shorter && masculine[common] == feminine[common])
        ++common;
    // "attentif·ve" reads well; "le·a" or "beau·lle" do not: a short
    // common start gives the whole feminine form.
    if (2 * common > shorter && common < feminine.size())
        return masculine + u'·' + feminine.sliced(common);
    QString whole = feminine;
    if (!masculine.isEmpty() && masculine.front().isUpper() && !whole.isEmpty())
        whole[0] = whole[0].toLower();
    return masculine + u'·' + whole;
}

QString AgreeRemark(const QString& remark, const TRemarkPupil& pupil) {
    QString result;
    result.reserve(remark.size());
    qsizetype done = 0;
    qsizetype open = remark.indexOf(u'{');
    while (open >= 0) {
        const qsizetype close = remark.indexOf(u'}', open + 1);
        if (close < 0)
            break;
        // "{a {b}": only the innermost brace starts the field.
        const qsizetype inner = remark.lastIndexOf(u'{', close);
        const QStringView field = QStringView(remark).sliced(inner + 1, close - inner - 1);
        if (const auto value = FieldValue(field, pupil)) {
            result += QStringView(remark).sliced(done, inner - done);
            result += *value;
            done = close + 1;
        }
        open = remark.indexOf(u'{', close + 1);
    }
    result += QStringView(remark).sliced(done);
    return result;
}
