#include "spreadsheet/SpreadsheetLibraries.h"

#include <QLibrary>

namespace {

template <typename Function>
bool Resolve(QLibrary& library, const char* name, Function& into, QString& error) {
    into = reinterpret_cast<Function>(library.resolve(name));
    if (!into)
        error = QStringLiteral("%1 : pas de fonction %2")
                    .arg(library.fileName(), QString::fromLatin1(name));
    return into != nullptr;
}

bool Open(QLibrary& library, QString& error) {
    if (library.load())
        return true;
    error = QStringLiteral("%1 : %2").arg(library.fileName(), library.errorString());
    return false;
}

// Loaded once for the program's life: QLibrary never unloads what it leaves.
template <typename Functions>
const Functions* Once(const char* file, bool (*load)(const QString&, Functions&, QString&),
                      QString& error) {
    struct TLoaded {
        Functions Table;
        QString Error;
        bool Ready = false;
    };
    static const TLoaded loaded = [&] {
        TLoaded result;
        result.Ready = load(QString::fromUtf8(file), result.Table, result.Error);
        return result;
    }();
    if (!loaded.Ready)
        error = loaded.Error;
    return loaded.Ready ? &loaded.Table : nullptr;
}

} // namespace

bool LoadXlsxFunctions(const QString& file, TXlsxFunctions& f, QString& error) {
    QLibrary library(file);
    return Open(library, error) && Resolve(library, "workbook_new", f.workbook_new, error) &&
           Resolve(library, "workbook_add_worksheet", f.workbook_add_worksheet, error) &&
           Resolve(library, "workbook_add_format", f.workbook_add_format, error) &&
           Resolve(library, "workbook_close", f.workbook_close, error) &&
           Resolve(library, "format_set_bold", f.format_set_bold, error) &&
           Resolve(library, "format_set_align", f.format_set_align, error) &&
           Resolve(library, "format_set_num_format", f.format_set_num_format, error) &&
           Resolve(library, "format_set_text_wrap", f.format_set_text_wrap, error) &&
           Resolve(library, "worksheet_set_column", f.worksheet_set_column, error) &&
           Resolve(library, "worksheet_write_number", f.worksheet_write_number, error) &&
           Resolve(library, "worksheet_write_string", f.worksheet_write_string, error) &&
           Resolve(library, "worksheet_merge_range", f.worksheet_merge_range, error) &&
           Resolve(library, "worksheet_freeze_panes", f.worksheet_freeze_panes, error) &&
           Resolve(library, "lxw_strerror", f.lxw_strerror, error);
}

bool LoadZipFunctions(const QString& file, TZipFunctions& f, QString& error) {
    QLibrary library(file);
    return Open(library, error) && Resolve(library, "zip_error_init", f.zip_error_init, error) &&
           Resolve(library, "zip_error_fini", f.zip_error_fini, error) &&
           Resolve(library, "zip_source_buffer_create", f.zip_source_buffer_create, error) &&
           Resolve(library, "zip_source_buffer", f.zip_source_buffer, error) &&
           Resolve(library, "zip_source_keep", f.zip_source_keep, error) &&
           Resolve(library, "zip_source_free", f.zip_source_free, error) &&
           Resolve(library, "zip_source_open", f.zip_source_open, error) &&
           Resolve(library, "zip_source_seek", f.zip_source_seek, error) &&
           Resolve(library, "zip_source_tell", f.zip_source_tell, error) &&
           Resolve(library, "zip_source_read", f.zip_source_read, error) &&
           Resolve(library, "zip_source_close", f.zip_source_close, error) &&
           Resolve(library, "zip_open_from_source", f.zip_open_from_source, error) &&
           Resolve(library, "zip_file_add", f.zip_file_add, error) &&
           Resolve(library, "zip_set_file_compression", f.zip_set_file_compression, error) &&
           Resolve(library, "zip_close", f.zip_close, error) &&
           Resolve(library, "zip_discard", f.zip_discard, error);
}

const TXlsxFunctions* XlsxFunctions(QString& error) {
    return Once<TXlsxFunctions>(QUILLORIN_XLSXWRITER_FILE, &LoadXlsxFunctions, error);
}

const TZipFunctions* ZipFunctions(QString& error) {
    return Once<TZipFunctions>(QUILLORIN_LIBZIP_FILE, &LoadZipFunctions, error);
}
