#include "widgets/SubjectText.h"

#include "data/SubjectLine.h"
#include "widgets/GridTextMeter.h"

#include <cstdlib>

using namespace Qt::StringLiterals;

QString StripSubjectPrefix(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u'$' || IsDepthChar(text[i])))
        ++i;
    return text.mid(i);
}

TSubjectText LayoutSubjectText(const QString& cellText, QRect rect, const TGridTextMeter& meter) {
    const TSubjectLine subject = ParseSubjectLine(cellText);
    const int step = meter.MeasureText(u"_"_s).width();
    rect.setLeft(rect.left() + subject.Depth * step);

    QString text = subject.Name;
    // The width of the whole stored text decides, indentation characters
    // included; the room is taken as a distance even when it is negative.
    const auto room = [&rect] {
        return std::abs(rect.right() + 1 - rect.left());
    };
    if (meter.MeasureText(cellText).width() > room()) {
        text += u"..."_s;
        bool first = true;
        while (text.size() > 4 && (first || meter.MeasureTransient(text).width() > room())) {
            text.remove(text.size() - 4, 1);
            first = false;
        }
    }
    return {text, rect};
}
