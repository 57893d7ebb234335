#include "data/CommentsLine.h"

#include "data/Cp1252.h"

namespace {

constexpr QByteArrayView kKey = "Comments=";

} // namespace

bool IsCommentsLine(QByteArrayView line) {
    return line.size() >= kKey.size() &&
           line.first(kKey.size()).compare(kKey, Qt::CaseInsensitive) == 0;
}

void DecodeComments(QByteArrayView value, TPData& record) {
    int index = 0;
    for (qsizetype bar = value.indexOf('|'); bar >= 0 && index < record.LevelCount();
         bar = value.indexOf('|'), ++index) {
        record.SetComment(index, Cp1252::Decode(value.first(bar)));
        value = value.sliced(bar + 1);
    }
}

QString CommentsLine(const TPData& record) {
    QString line = QString::fromLatin1(kKey);
    for (int i = 0; i < record.LevelCount(); ++i)
        line += record.GetComment(i) + u'|';
    return line;
}
