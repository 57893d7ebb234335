#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The printers installed on the machine, asked when printing; tests give
// none or their own.
struct TPrinters {
    std::function<QStringList()> Installed;
    std::function<QString()> Default;

    static TPrinters FromSystem();

    QStringList InstalledNames() const { return Installed ? Installed() : QStringList(); }
    QString DefaultName() const { return Default ? Default() : QString(); }
};
