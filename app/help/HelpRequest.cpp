#include "app/help/HelpRequest.h"

std::optional<THelpRequest> THelpRequest::Parse(const QString& request) {
    THelpRequest parsed;
    QString rest = request;
    // Neither file names nor topics may hold a ">", so the first one starts
    // the window name, which may.
    if (const qsizetype window = rest.indexOf(u'>'); window >= 0) {
        parsed.WindowName = rest.sliced(window + 1);
        rest.truncate(window);
    }
    if (const qsizetype topic = rest.indexOf(u"::"); topic >= 0) {
        parsed.Topic = rest.sliced(topic + 2);
        rest.truncate(topic);
        if (!parsed.Topic.isEmpty() && !parsed.Topic.startsWith(u'/'))
            parsed.Topic.prepend(u'/');
    }
    parsed.FileName = rest;
    if (parsed.FileName.isEmpty())
        return std::nullopt;
    return parsed;
}
