#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <vector>

// The teacher's bank of ready remarks, grouped by theme, kept in
// "appreciations.txt" beside "tree.dat":
//
//   [Travail]
//   {prénom} fournit un travail régulier et soigné.
//   Travail sérieux et appliqué.
//
//   [Comportement]
//   ...
//
// UTF-8 text; a line "[name]" starts a theme, every other line is a remark
// of the theme above it; blanks around a line and empty lines are ignored.
// Remarks above the first theme belong to "Divers", and so do themes with an
// empty name; two themes of one name are one theme.
struct TRemarkTheme {
    QString Name;
    QStringList Remarks;

    bool operator==(const TRemarkTheme&) const = default;
};

struct TRemarksBank {
    std::vector<TRemarkTheme> Themes;

    bool operator==(const TRemarksBank&) const = default;
    int RemarkCount() const;
};

// What a read gave. A damaged file (not UTF-8, control characters, over
// the size bound) was read as far as it could be: the file must be kept
// aside before it is written over.
struct TBankRead {
    TRemarksBank Bank;
    QString Damage; // empty when the file was sound: what was wrong, for the teacher

    bool Damaged() const { return !Damage.isEmpty(); }
};

constexpr qsizetype MaxRemarksBankBytes = 1 << 20;

TBankRead ReadRemarksBank(QByteArrayView bytes);
QByteArray EncodeRemarksBank(const TRemarksBank& bank);

// What a line of the bank holds of a typed remark or theme name: blanks,
// tabs, line breaks and control characters become one blank each, blanks
// around it go. A theme name loses its brackets and is "Divers" when
// nothing is left. A remark that would read back as a theme ("[...]") is
// none: it comes back empty.
QString BankRemarkText(QStringView text);
QString BankThemeName(QStringView text);

// The bank the program comes with.
TRemarksBank BuiltInRemarksBank();
