// The results as CSV text.

#include "spreadsheet/ResultWriters.h"

#include "data/NumberFormat.h"

namespace {

// As many significant digits as the grid shows for an average.
constexpr int kAveragePrecision = 4;
constexpr int kMarkPrecision = 15;

bool NeedsQuotes(const QString& text) {
    for (QChar c : text) {
        if (c == u';' || c == u'"' || c == u'\n' || c == u'\r')
            return true;
    }
    return !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
}

void AppendField(QString& out, const TResultCell& cell, QChar decimalSeparator) {
    switch (cell.Kind) {
    case TResultCell::TKind::Empty:
        return;
    case TResultCell::TKind::Number:
        AppendGeneral(out, cell.Number,
                      cell.Style == TResultStyle::Average ? kAveragePrecision : kMarkPrecision,
                      decimalSeparator);
        return;
    case TResultCell::TKind::Text:
        if (!NeedsQuotes(cell.Text)) {
            out += cell.Text;
            return;
        }
        out += u'"';
        out += QString(cell.Text).replace(u'"', QStringLiteral("\"\""));
        out += u'"';
        return;
    }
}

} // namespace

QByteArray ResultsCsv(const TResultTable& table, QChar decimalSeparator) {
    QString text;
    text.reserve(qsizetype(table.Rows.size()) * table.ColumnCount * 4);
    for (const auto& row : table.Rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += u';';
            AppendField(text, row[i], decimalSeparator);
        }
        text += QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

std::optional<TResultFormat> ResultFormatOf(const QString& path) {
    if (path.endsWith(QStringLiteral(".ods"), Qt::CaseInsensitive))
        return TResultFormat::Ods;
    if (path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
        return TResultFormat::Xlsx;
    if (path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        return TResultFormat::Csv;
    return std::nullopt;
}

QString SheetName(const QString& className) {
    QString name = className;
    for (QChar& c : name) {
        if (QStringView(u"[]:*?/\\").contains(c) || c.unicode() < 0x20)
            c = u'_';
    }
    name = name.trimmed().left(31);
    // Both take a leading or trailing apostrophe as a quote.
    while (name.startsWith(u'\''))
        name.remove(0, 1);
    while (name.endsWith(u'\''))
        name.chop(1);
    return name.isEmpty() ? QStringLiteral("Classe") : name;
}
