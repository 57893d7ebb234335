#include "data/NameCase.h"

#include "data/Cp1252.h"
#include "data/PData.h"

namespace {

bool StartsPart(QChar previous) {
    return previous.isSpace() || previous == u'-' || previous == u'\'' || previous == u'\u2019' ||
           previous == u'\u2010' || previous == u'\u2011';
}

} // namespace

QString NameForm(const QString& name) {
    bool upper = false;
    bool lower = false;
    for (QChar c : name) {
        upper = upper || c.isUpper();
        // "ß" has no capital of its own: it says nothing of the case.
        lower = lower || (c.isLower() && c.toUpper() != c);
    }
    if (upper && lower)
        return name;
    QString formed = name;
    bool start = true;
    for (QChar& c : formed) {
        if (c.isLetter()) {
            // QChar's one-to-one mappings keep the length: "ß" stays itself.
            // A letter whose other case the file cannot hold ("µ" and its
            // capital "Μ") stays as it is.
            const QChar other = start ? c.toUpper() : c.toLower();
            if (Cp1252::IsRepresentable(other) || !Cp1252::IsRepresentable(c))
                c = other;
            start = false;
        } else {
            start = start || StartsPart(c);
        }
    }
    return formed;
}

QString StoredName(const QString& typed) {
    return NameForm(TPData::StoredText(typed));
}
