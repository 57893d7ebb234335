// The results as an Excel workbook, through libxlsxwriter.

#include "spreadsheet/ResultWriters.h"

#include "data/SafeFile.h"
#include "spreadsheet/SpreadsheetLibraries.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

// A cell holds at most this many bytes; longer remarks are cut.
constexpr qsizetype kMaxCellBytes = 32767;

QByteArray CellText(const QString& text) {
    QByteArray bytes = text.toUtf8();
    if (bytes.size() <= kMaxCellBytes)
        return bytes;
    qsizetype keep = kMaxCellBytes;
    // Not in the middle of a character.
    while (keep > 0 && (static_cast<unsigned char>(bytes[keep]) & 0xC0) == 0x80)
        --keep;
    bytes.truncate(keep);
    return bytes;
}

QString XlsxError(const QString& why) {
    return QStringLiteral("Le classeur Excel n'a pas pu être écrit (%1).").arg(why);
}

QString XlsxError(const char* why) {
    return XlsxError(QString::fromUtf8(why));
}

} // namespace

TResultBytes ResultsXlsx(const TResultTable& table) {
    QString unavailable;
    const TXlsxFunctions* xlsx = XlsxFunctions(unavailable);
    if (!xlsx)
        return XlsxError(unavailable);
    // The library writes to a file only: a private folder holds it until its
    // bytes are read back for the safe write to the user's file.
    QTemporaryDir folder;
    if (!folder.isValid())
        return XlsxError("pas de dossier temporaire");
    const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("results.xlsx")));
    lxw_workbook* workbook = xlsx->workbook_new(path.constData());
    if (!workbook)
        return XlsxError("mémoire");
    lxw_worksheet* sheet =
        xlsx->workbook_add_worksheet(workbook, SheetName(table.Name).toUtf8().constData());
    lxw_format* heading = xlsx->workbook_add_format(workbook);
    xlsx->format_set_bold(heading);
    xlsx->format_set_align(heading, LXW_ALIGN_CENTER);
    xlsx->format_set_align(heading, LXW_ALIGN_VERTICAL_CENTER);
    lxw_format* label = xlsx->workbook_add_format(workbook);
    xlsx->format_set_bold(label);
    lxw_format* average = xlsx->workbook_add_format(workbook);
    xlsx->format_set_num_format(average, "0.00");
    xlsx->format_set_bold(average);
    lxw_format* wrapped = xlsx->workbook_add_format(workbook);
    xlsx->format_set_text_wrap(wrapped);
    xlsx->format_set_align(wrapped, LXW_ALIGN_VERTICAL_TOP);
    if (!sheet) {
        xlsx->workbook_close(workbook);
        return XlsxError("feuille");
    }

    for (std::size_t c = 0; c < table.ColumnWidths.size(); ++c)
        xlsx->worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), table.ColumnWidths[c],
                                   nullptr);
    lxw_error error = LXW_NO_ERROR;
    for (std::size_t r = 0; r < table.Rows.size() && error == LXW_NO_ERROR; ++r) {
        const auto& row = table.Rows[r];
        const bool inHeader = int(r) < table.HeaderRows;
        for (std::size_t c = 0; c < row.size() && error == LXW_NO_ERROR; ++c) {
            const TResultCell& cell = row[c];
            lxw_format* format = nullptr;
            if (cell.Style == TResultStyle::Heading)
                format = inHeader ? heading : label;
            else if (cell.Style == TResultStyle::Average)
                format = average;
            switch (cell.Kind) {
            case TResultCell::TKind::Empty:
                break;
            case TResultCell::TKind::Number:
                error = xlsx->worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), cell.Number,
                                                     format);
                break;
            case TResultCell::TKind::Text: {
                const QByteArray text = CellText(cell.Text);
                if (cell.Span > 1)
                    error = xlsx->worksheet_merge_range(
                        sheet, lxw_row_t(r), lxw_col_t(c), lxw_row_t(r),
                        lxw_col_t(c + std::size_t(cell.Span) - 1), text.constData(), format);
                else
                    error = xlsx->worksheet_write_string(
                        sheet, lxw_row_t(r), lxw_col_t(c), text.constData(),
                        cell.Text.contains(u'\n') ? wrapped : format);
                break;
            }
            }
        }
    }
    xlsx->worksheet_freeze_panes(sheet, lxw_row_t(table.HeaderRows),
                                 lxw_col_t(table.FrozenColumns));
    const lxw_error closed = xlsx->workbook_close(workbook);
    if (error != LXW_NO_ERROR)
        return XlsxError(xlsx->lxw_strerror(error));
    if (closed != LXW_NO_ERROR)
        return XlsxError(xlsx->lxw_strerror(closed));
    std::optional<QByteArray> bytes = ReadWholeFile(QFile::decodeName(path));
    if (!bytes)
        return XlsxError("lecture");
    return *bytes;
}
