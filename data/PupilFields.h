#pragma once

#include "data/RegionalSettings.h"

#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>
#include <utility>

// The four fields a pupil list gives, in the order of the record.
enum class TPupilColumn { None, Surname, Name, BirthDay, Sexe };

// What a header names, and how good a source of that field it is: the
// lower the rank, the better ("Nom d'usage" 0 over "Nom" 1 over "Élève",
// which holds the whole name, 2). BirthName marks a surname column that may
// stand in for a blank usage name.
struct THeaderMatch {
    TPupilColumn Field = TPupilColumn::None;
    int Rank = 0;
    bool WholeName = false;
    bool BirthName = false;
};

// Which field a header names, case, accents, blanks, punctuation and any
// text in parentheses aside, among the many spellings real lists use.
THeaderMatch MatchPupilHeader(QStringView header);
inline TPupilColumn PupilColumnOf(QStringView header) {
    return MatchPupilHeader(header).Field;
}

// "M", "G", "H", "1", "Garçon", "Masc." give "Garçon"; "F", "2", "Fille",
// "Fém." give "Fille"; anything else "Je ne sais pas".
QString PupilSexeOf(QStringView text);
bool IsKnownSexe(QStringView text);

// A date of birth as lists write them: dd/mm/yyyy, d/m/yyyy, dd/mm/yy,
// yyyy-mm-dd, dd.mm.yyyy, dd-mm-yyyy, "3 mars 2016", with or without a time
// after it. A two-digit year is the latest one not after thisYear.
std::optional<QDate> ParseBirthDate(QStringView text, int thisYear);

// A date in the user's short date format, with the year in four digits even
// when that format has two: a birth year is no guess.
QString FormatBirthDate(QDate date, const TRegionalSettings& regional);

// "DUPONT Jean", "DE LA FONTAINE Marie-Lou", "Jean DUPONT" or "Dupont, Jean":
// the surname (the words in capitals, or what comes before the comma) and
// the first name; nothing when the text shows no such split.
std::optional<std::pair<QString, QString>> SplitWholeName(QStringView text);
