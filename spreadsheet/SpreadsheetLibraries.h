#pragma once

#include <QString>

#include <xlsxwriter.h>
#include <zip.h>

// libxlsxwriter and libzip serve the exports alone, yet linking them cost
// every start several milliseconds (OpenSSL comes with them): they are
// loaded the first time an export needs them instead. Each member is the
// library's function of the same name.
struct TXlsxFunctions {
    decltype(&::workbook_new) workbook_new = nullptr;
    decltype(&::workbook_add_worksheet) workbook_add_worksheet = nullptr;
    decltype(&::workbook_add_format) workbook_add_format = nullptr;
    decltype(&::workbook_close) workbook_close = nullptr;
    decltype(&::format_set_bold) format_set_bold = nullptr;
    decltype(&::format_set_align) format_set_align = nullptr;
    decltype(&::format_set_num_format) format_set_num_format = nullptr;
    decltype(&::format_set_text_wrap) format_set_text_wrap = nullptr;
    decltype(&::worksheet_set_column) worksheet_set_column = nullptr;
    decltype(&::worksheet_write_number) worksheet_write_number = nullptr;
    decltype(&::worksheet_write_string) worksheet_write_string = nullptr;
    decltype(&::worksheet_merge_range) worksheet_merge_range = nullptr;
    decltype(&::worksheet_freeze_panes) worksheet_freeze_panes = nullptr;
    decltype(&::lxw_strerror) lxw_strerror = nullptr;
};

struct TZipFunctions {
    decltype(&::zip_error_init) zip_error_init = nullptr;
    decltype(&::zip_error_fini) zip_error_fini = nullptr;
    decltype(&::zip_source_buffer_create) zip_source_buffer_create = nullptr;
    decltype(&::zip_source_buffer) zip_source_buffer = nullptr;
    decltype(&::zip_source_keep) zip_source_keep = nullptr;
    decltype(&::zip_source_free) zip_source_free = nullptr;
    decltype(&::zip_source_open) zip_source_open = nullptr;
    decltype(&::zip_source_seek) zip_source_seek = nullptr;
    decltype(&::zip_source_tell) zip_source_tell = nullptr;
    decltype(&::zip_source_read) zip_source_read = nullptr;
    decltype(&::zip_source_close) zip_source_close = nullptr;
    decltype(&::zip_open_from_source) zip_open_from_source = nullptr;
    decltype(&::zip_file_add) zip_file_add = nullptr;
    decltype(&::zip_set_file_compression) zip_set_file_compression = nullptr;
    decltype(&::zip_close) zip_close = nullptr;
    decltype(&::zip_discard) zip_discard = nullptr;
};

// The program's libraries, loaded once; null with `error` saying which
// library could not be used and why.
const TXlsxFunctions* XlsxFunctions(QString& error);
const TZipFunctions* ZipFunctions(QString& error);

// Fills `into` from the given library file; false with `error` saying why.
bool LoadXlsxFunctions(const QString& file, TXlsxFunctions& into, QString& error);
bool LoadZipFunctions(const QString& file, TZipFunctions& into, QString& error);
