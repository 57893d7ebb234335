#pragma once

#include "data/PData.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

// Tab-separated text as a spreadsheet copies it, laid over a class's grid
// of levels and marks. Rows end with LF or CR LF; a cell between double
// quotes may hold tabs and line breaks ("" stands for one quote).
QList<QStringList> SplitTabSeparated(QStringView text);

enum class TEntryKind { Level, Mark };

// What one cell of a pasted text gives one cell of the grid: a level 1 to 4,
// or a mark (NoMark for a blank).
struct TPastedEntry {
    int Row = 0;
    int Column = 0;
    int Level = DefaultLevel;
    double Mark = NoMark;
};

struct TPasteResult {
    std::vector<TPastedEntry> Entries;
    // Cells that could not be read, or fell outside the grid, blanks aside.
    int Skipped = 0;
};

// Reads the text into the grid from (startRow, startColumn), over rowCount
// rows and one column per kind. A level cell takes A, B, C, ? (any case) or
// 1 to 4; a mark cell a number with "," or "." as decimal point, cut to one
// decimal as a typed mark is; a blank cell gives "?" or no mark.
TPasteResult ParseClassPaste(QStringView text, int startRow, int startColumn, int rowCount,
                             const std::vector<TEntryKind>& columns);

// One cell as the paste reads it; nothing when it cannot be read.
std::optional<int> ReadLevel(QStringView cell);
std::optional<double> ReadMark(QStringView cell);
