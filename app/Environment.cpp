#include "app/Environment.h"

#include <QCoreApplication>
#include <QDir>

TEnvironment TEnvironment::FromApplication() {
    TEnvironment environment;
    environment.Folder =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator();
    environment.Regional = TRegionalSettings::FromLocale(QLocale::system());
    environment.Today = [] {
        return QDate::currentDate();
    };
    environment.Arguments = QCoreApplication::arguments();
    environment.Printers = TPrinters::FromSystem();
    return environment;
}
