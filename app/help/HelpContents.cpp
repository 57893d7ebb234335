#include "app/help/HelpContents.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocumentFragment>

using namespace Qt::StringLiterals;

namespace {

QString DecodeEntities(const QString& text) {
    return QTextDocumentFragment::fromHtml(text).toPlainText();
}

} // namespace

QList<THelpContentsEntry> ReadHelpContents(QByteArrayView sitemap) {
    QStringDecoder decoder("windows-1252");
    const QString text = decoder(sitemap);
    static const QRegularExpression tags(
        uR"(<\s*(/?)\s*(ul|object)\b([^>]*)>|<\s*param\b([^>]*)>)"_s,
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression attribute(uR"re((\w+)\s*=\s*"([^"]*)")re"_s);
    QList<THelpContentsEntry> entries;
    int depth = -1;
    bool inEntry = false;
    THelpContentsEntry entry;
    for (auto match = tags.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch tag = match.next();
        const QString element = tag.captured(2).toLower();
        const bool closing = !tag.captured(1).isEmpty();
        if (element == u"ul") {
            depth += closing ? -1 : 1;
        } else if (element == u"object") {
            if (!closing) {
                inEntry = tag.captured(3).contains(u"text/sitemap"_s, Qt::CaseInsensitive);
                entry = {QString(), QString(), std::max(depth, 0)};
            } else if (inEntry) {
                if (!entry.Name.isEmpty() || !entry.Topic.isEmpty())
                    entries << entry;
                inEntry = false;
            }
        } else if (inEntry) {
            QString name;
            QString value;
            for (auto attr = attribute.globalMatch(tag.captured(4)); attr.hasNext();) {
                const QRegularExpressionMatch a = attr.next();
                if (a.captured(1).compare(u"name"_s, Qt::CaseInsensitive) == 0)
                    name = a.captured(2);
                else if (a.captured(1).compare(u"value"_s, Qt::CaseInsensitive) == 0)
                    value = a.captured(2);
            }
            if (name.compare(u"Name"_s, Qt::CaseInsensitive) == 0)
                entry.Name = DecodeEntities(value);
            else if (name.compare(u"Local"_s, Qt::CaseInsensitive) == 0)
                entry.Topic = DecodeEntities(value);
        }
    }
    return entries;
}
