#pragma once

#include "data/RegionalSettings.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

// What the program takes from the machine it runs on, gathered once at start
// so that tests can give their own folder, regional settings and day.
struct TEnvironment {
    QString Folder; // the executable's folder, with its trailing separator
    TRegionalSettings Regional;
    std::function<QDate()> Today;
    QStringList Arguments;

    static TEnvironment FromApplication();

    QString FilePath(const QString& name) const { return Folder + name; }
};
