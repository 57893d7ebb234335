#pragma once

#include <QChar>
#include <QDate>
#include <QLocale>
#include <QString>

// The user's regional settings that the files and the screen depend on: the
// decimal separator of marks and the short date format. Taken once from the
// system locale at start and handed explicitly to whatever formats or parses,
// so that tests can pin French or English whatever the machine says.
struct TRegionalSettings {
    QLocale Locale = QLocale::c();
    QChar DecimalSeparator = u'.';
    QString ShortDateFormat = QStringLiteral("d MMM yyyy");

    static TRegionalSettings FromLocale(const QLocale& locale);

    QString FormatDate(QDate date) const;
};
