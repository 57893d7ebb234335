#include "data/ColHints.h"

const TColHints& DefaultColHints() {
    static const TColHints hints = {QStringLiteral("matière"),
                                    QStringLiteral("acquis"),
                                    QStringLiteral("en cours d'acquisition"),
                                    QStringLiteral("pas encore acquis"),
                                    QStringLiteral("? = indéterminé"),
                                    QStringLiteral("note")};
    return hints;
}
