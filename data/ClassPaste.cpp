#include "data/ClassPaste.h"

namespace {

bool IsBlankCell(QStringView cell) {
    for (QChar c : cell) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

} // namespace

QList<QStringList> SplitTabSeparated(QStringView text) {
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    bool cellStarted = false;
    auto endCell = [&] {
        row << cell;
        cell.clear();
        cellStarted = false;
    };
    auto endRow = [&] {
        endCell();
        rows << row;
        row.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != u'"') {
                cell += c;
            } else if (i + 1 < text.size() && text[i + 1] == u'"') {
                cell += c;
                ++i;
            } else {
                quoted = false;
            }
            continue;
        }
        if (c == u'"' && !cellStarted) {
            quoted = true;
            cellStarted = true;
        } else if (c == u'\t') {
            endCell();
        } else if (c == u'\n') {
            if (cell.endsWith(u'\r'))
                cell.chop(1);
            endRow();
        } else {
            cell += c;
            cellStarted = true;
        }
    }
    if (cell.endsWith(u'\r'))
        cell.chop(1);
    // The line break after the last row does not start another one.
    if (!cell.isEmpty() || !row.isEmpty() || quoted)
        endRow();
    return rows;
}

std::optional<int> ReadLevel(QStringView cell) {
    const QStringView text = cell.trimmed();
    if (text.isEmpty())
        return DefaultLevel;
    if (text.size() != 1)
        return std::nullopt;
    switch (text.front().unicode()) {
    case u'A':
    case u'a':
    case u'1':
        return 1;
    case u'B':
    case u'b':
    case u'2':
        return 2;
    case u'C':
    case u'c':
    case u'3':
        return 3;
    case u'?':
    case u'4':
        return 4;
    default:
        return std::nullopt;
    }
}

std::optional<double> ReadMark(QStringView cell) {
    const QStringView text = cell.trimmed();
    if (text.isEmpty())
        return NoMark;
    // Digits, then at most one decimal point and the digits after it, of
    // which the first only is kept.
    QString kept;
    bool point = false;
    int decimals = 0;
    int digits = 0;
    for (QChar c : text) {
        if (c.isDigit() && c.unicode() < 128) {
            ++digits;
            if (point && ++decimals > 1)
                continue;
            kept += c;
        } else if ((c == u',' || c == u'.') && !point) {
            point = true;
            kept += u'.';
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    bool ok = false;
    const double mark = kept.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return mark;
}

TPasteResult ParseClassPaste(QStringView text, int startRow, int startColumn, int rowCount,
                             const std::vector<TEntryKind>& columns) {
    TPasteResult result;
    const QList<QStringList> rows = SplitTabSeparated(text);
    const int columnCount = int(columns.size());
    for (int r = 0; r < rows.size(); ++r) {
        const int row = startRow + r;
        const QStringList& cells = rows[r];
        for (int c = 0; c < cells.size(); ++c) {
            const int column = startColumn + c;
            const QString& cell = cells[c];
            if (row < 0 || row >= rowCount || column < 0 || column >= columnCount) {
                if (!IsBlankCell(cell))
                    ++result.Skipped;
                continue;
            }
            TPastedEntry entry{row, column};
            if (columns[std::size_t(column)] == TEntryKind::Level) {
                const std::optional<int> level = ReadLevel(cell);
                if (!level) {
                    ++result.Skipped;
                    continue;
                }
                entry.Level = *level;
            } else {
                const std::optional<double> mark = ReadMark(cell);
                if (!mark) {
                    ++result.Skipped;
                    continue;
                }
                entry.Mark = *mark;
            }
            result.Entries.push_back(entry);
        }
    }
    return result;
}
