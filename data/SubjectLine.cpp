#include "data/SubjectLine.h"

TSubjectLine ParseSubjectLine(QStringView line, TDepthRule rule) {
    TSubjectLine subject;
    qsizetype i = 0;
    if (line.startsWith(u'$')) {
        subject.Evaluated = false;
        i = 1;
    }
    const qsizetype end = rule == TDepthRule::KeepName ? line.size() - 1 : line.size();
    while (i < end && IsDepthChar(line[i])) {
        ++subject.Depth;
        ++i;
    }
    subject.Name = line.mid(i).toString();
    return subject;
}

QString EncodeSubjectLine(const TSubjectLine& subject) {
    QString line;
    line.reserve(subject.Depth + subject.Name.size() + 1);
    if (!subject.Evaluated)
        line += u'$';
    line += QString(subject.Depth, u'_');
    line += subject.Name;
    return line;
}
