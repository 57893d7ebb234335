#pragma once

#include "data/Workspace.h"

#include <QString>

#include <vector>

// A class's results as a table of cells, whatever file format they go to:
// a header band (subject headings over their level and mark columns), one
// row per pupil in the tree's order, then the class summary. The writers
// of each format take it as it is.
enum class TResultStyle { Plain, Heading, Average };

struct TResultCell {
    enum class TKind { Empty, Text, Number };
    TKind Kind = TKind::Empty;
    QString Text; // may hold line breaks (remarks)
    double Number = 0;
    int Span = 1; // columns a heading covers; the cells it covers are empty
    TResultStyle Style = TResultStyle::Plain;

    static TResultCell OfText(const QString& text, TResultStyle style = TResultStyle::Plain,
                              int span = 1) {
        return {TKind::Text, text, 0, span, style};
    }
    static TResultCell OfNumber(double number, TResultStyle style = TResultStyle::Plain) {
        return {TKind::Number, QString(), number, 1, style};
    }
};

struct TResultTable {
    QString Name;       // the class's name, for the sheet
    int HeaderRows = 0; // kept in place when scrolling
    int FrozenColumns = 0;
    int ColumnCount = 0;
    std::vector<double> ColumnWidths;           // in characters
    std::vector<std::vector<TResultCell>> Rows; // each ColumnCount long
};

// "Nom", "Prénom", "Date de naissance", "Sexe", a level letter and a mark
// for each evaluated subject, "Remarques"; below the pupils, how many are at
// each level (levelCaptions: the A, B, C and ? columns' names) and the
// average mark of each subject.
TResultTable BuildResultTable(const TClassNode& schoolClass, const QStringList& levelCaptions);
