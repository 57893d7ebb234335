#include "app/NameCase.h"

QString NormaliseName(QString name) {
    for (QChar& c : name) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    if (!name.isEmpty() && name[0] >= u'a' && name[0] <= u'z')
        name[0] = QChar(name[0].unicode() - (u'a' - u'A'));
    return name;
}
