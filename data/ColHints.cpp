#include "data/ColHints.h"

#include <algorithm>

QString LevelLetter(int level) {
    return level >= 1 && level <= 4 ? QStringLiteral("ABC?").mid(level - 1, 1) : QString();
}

QString LevelHint(const TColHints& hints, int level) {
    const QString letter = LevelLetter(level);
    const QString& hint = hints[std::size_t(std::clamp(level, 0, 5))];
    const bool named =
        hint.startsWith(letter) && hint.mid(letter.size()).trimmed().startsWith(u'=');
    return named ? hint : letter + QStringLiteral(" = ") + hint;
}

const TColHints& DefaultColHints() {
    static const TColHints hints = {QStringLiteral("matière"),
                                    QStringLiteral("acquis"),
                                    QStringLiteral("en cours d'acquisition"),
                                    QStringLiteral("pas encore acquis"),
                                    QStringLiteral("? = indéterminé"),
                                    QStringLiteral("note")};
    return hints;
}
