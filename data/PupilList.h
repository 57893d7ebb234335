#pragma once

#include "data/PData.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <vector>

// One row of a pupil list, as the file gives it (blanks around each field
// taken off); Sexe is already one of the three SexeValues.
struct TPupilListEntry {
    QString Surname;
    QString Name;
    QString BirthDay;
    QString Sexe;
    int Line = 0; // where the row starts in the file, from 1
};

// A list exported from a spreadsheet or the school's administration
// software, or why it cannot be used (Error, the user's text).
struct TPupilList {
    std::vector<TPupilListEntry> Pupils;
    QString Error;
};

// A class list never comes near these; anything larger is some other file.
constexpr qsizetype MaxPupilListBytes = 256 * 1024;
constexpr int MaxPupilListRows = 500;

// The error for a file larger than the bounds above.
QString PupilListTooLargeError();

enum class TPupilColumn { None, Surname, Name, BirthDay, Sexe };

// Which column a header names; case, accents and blanks do not count.
TPupilColumn PupilColumnOf(QStringView header);
// "M", "G", "Garçon", "Masculin" give "Garçon"; "F", "Fille", "Féminin"
// give "Fille"; anything else "Je ne sais pas".
QString PupilSexeOf(QStringView text);

// Reads a CSV or tab-separated text with a header row: UTF-8 with or without
// byte-order mark, UTF-16 with one, or else Windows-1252; the separator (";",
// "," or tab) is the one the header row uses most.
TPupilList ReadPupilList(QByteArrayView bytes);
