#include "app/CleanMark.h"

QString CleanMark(const QString& typed) {
    QString kept;
    for (QChar c : typed) {
        if ((c >= u'0' && c <= u'9') || c == u'.' || c == u',')
            kept += c;
    }
    qsizetype point = kept.indexOf(u'.');
    if (point < 0)
        point = kept.indexOf(u',');

    QString mark;
    for (qsizetype i = 0; i < kept.size(); ++i) {
        if (i == point)
            mark += u',';
        else if (kept[i] != u'.' && kept[i] != u',')
            mark += kept[i];
    }
    const qsizetype comma = mark.indexOf(u',');
    if (comma >= 0)
        mark.truncate(comma + 2);
    return mark;
}
