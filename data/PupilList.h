#pragma once

#include "data/PData.h"
#include "data/PupilFields.h"
#include "data/RegionalSettings.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// A class list as a spreadsheet or the school's administration software
// exports it: its header row (the first row that names at least two fields;
// title rows above it are left out) and the rows below it, each field with
// the blanks around it taken off.
struct TPupilTableRow {
    QStringList Fields;
    int Line = 0; // where the row starts in the file, from 1
};

struct TPupilTable {
    QStringList Headers; // "Colonne 1"... when the file has no header row
    bool HeaderFound = false;
    std::vector<TPupilTableRow> Rows; // the non-blank rows below the header
    QString Error;                    // the user's text: the file cannot be used
};

// A class list never comes near these; anything larger is some other file.
constexpr qsizetype MaxPupilListBytes = 256 * 1024;
constexpr int MaxPupilListRows = 500;
constexpr int MaxPupilListColumns = 200;

// The error for a file larger than the bounds above.
QString PupilListTooLargeError();

// Reads a CSV or tab-separated text: UTF-8 with or without byte-order mark,
// UTF-16 with one, or else Windows-1252; the separator (";", "," or tab) is
// the one the header row uses most, or the one a "sep=" first line names.
TPupilTable ReadPupilTable(QByteArrayView bytes);

// Which of the file's columns gives each field (-1: none), indexed by
// TPupilColumn less one. BirthSurname, when set, stands in for a blank
// surname: the birth name of a list whose chosen surname is the usage name.
struct TPupilColumns {
    std::array<int, 4> Index{-1, -1, -1, -1};
    int BirthSurname = -1;

    int& operator[](TPupilColumn field) { return Index[std::size_t(field) - 1]; }
    int operator[](TPupilColumn field) const { return Index[std::size_t(field) - 1]; }
    bool operator==(const TPupilColumns&) const = default;
};

// The columns the headers name, the best source of each field winning
// (a usage name over a surname, a usual first name over the first one).
TPupilColumns RecognisePupilColumns(const QStringList& headers);

// One pupil as the list gives it. The names are the file's (the record
// gives them their form); the date of birth is in the user's short date
// format, or as written when it cannot be read (DateUnread); Sexe is one of
// the three SexeValues.
struct TPupilListEntry {
    QString Surname;
    QString Name;
    QString BirthDay;
    QString Sexe;
    int Line = 0;
    bool DateUnread = false;
};

struct TPupilList {
    std::vector<TPupilListEntry> Pupils;
    QString Error;
};

// How values become what a record holds: dates in the user's format, two-
// digit years up to this one.
struct TPupilValueFormat {
    TRegionalSettings Regional;
    int ThisYear = 2026;
};

// The pupils of the table through the columns. With a surname column and no
// first name column, a surname written "DUPONT Jean" is split.
TPupilList PupilListOf(const TPupilTable& table, const TPupilColumns& columns,
                       const TPupilValueFormat& format);

// The table read with the columns its headers name; an error when none
// names the surname.
TPupilList ReadPupilList(QByteArrayView bytes, const TPupilValueFormat& format = {});
