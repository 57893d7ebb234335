#include "data/TextLines.h"

#include "data/Cp1252.h"

#include <cstring>

std::vector<QByteArrayView> SplitLines(QByteArrayView bytes) {
    std::vector<QByteArrayView> lines;
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* start = begin;
    const char* p = begin;
    while (p != end) {
        // Line ends are rare next to the text between them: find the next
        // one with the library's fast searches.
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
        const char* stop = lf ? lf : end;
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', std::size_t(stop - p)));
        const char* lineEnd = cr ? cr : lf;
        if (!lineEnd)
            break;
        lines.emplace_back(start, lineEnd - start);
        p = lineEnd + 1;
        if (*lineEnd == '\r' && p != end && *p == '\n')
            ++p;
        start = p;
    }
    if (start != end)
        lines.emplace_back(start, end - start);
    return lines;
}

QByteArray JoinLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        Cp1252::AppendEncoded(bytes, line);
        bytes += "\r\n";
    }
    return bytes;
}
