#include "data/RegionalSettings.h"

TRegionalSettings TRegionalSettings::FromLocale(const QLocale& locale) {
    TRegionalSettings settings;
    settings.Locale = locale;
    const QString point = locale.decimalPoint();
    settings.DecimalSeparator = point.isEmpty() ? QChar(u'.') : point[0];
    settings.ShortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    return settings;
}

QString TRegionalSettings::FormatDate(QDate date) const {
    return Locale.toString(date, ShortDateFormat);
}
