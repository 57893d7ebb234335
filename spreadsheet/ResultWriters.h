#pragma once

#include "spreadsheet/ResultTable.h"

#include <QByteArray>
#include <QChar>
#include <QString>

#include <optional>
#include <variant>

// The three files a class's results go to. Each returns the file's bytes,
// or the user's text saying why it could not be made.
using TResultBytes = std::variant<QByteArray, QString>;

// UTF-8 with a byte-order mark, fields separated by semicolons, rows ended by
// CR LF: a French spreadsheet opens it as it is. Numbers are written with
// the user's decimal separator; averages as the class summary shows them.
QByteArray ResultsCsv(const TResultTable& table, QChar decimalSeparator);

// An OpenDocument spreadsheet: number cells for marks and counts, the header
// rows and the names kept in place when scrolling.
TResultBytes ResultsOds(const TResultTable& table);

// An Excel workbook, the same.
TResultBytes ResultsXlsx(const TResultTable& table);

enum class TResultFormat { Ods, Xlsx, Csv };

// The format a file name asks for by its suffix; none for another suffix.
std::optional<TResultFormat> ResultFormatOf(const QString& path);

// The sheet's name as both spreadsheets take it: at most 31 characters,
// none of []:*?/\.
QString SheetName(const QString& className);
