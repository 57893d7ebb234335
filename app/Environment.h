#pragma once

#include "data/RegionalSettings.h"
#include "print/Printers.h"

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
    // None unless given: tests run with no printer installed.
    TPrinters Printers;

    static TEnvironment FromApplication();

    QString FilePath(const QString& name) const { return Folder + name; }
};
