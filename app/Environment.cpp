#include "app/Environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

TEnvironment TEnvironment::FromApplication() {
    TEnvironment environment;
    environment.Folder =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator();
    environment.Regional = TRegionalSettings::FromLocale(QLocale::system());
    environment.Today = [] {
        return QDate::currentDate();
    };
    environment.Arguments = QCoreApplication::arguments();
    return environment;
}

QString TEnvironment::OpenFileDialog(QWidget* parent, const QString& caption,
                                     const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString TEnvironment::SaveFileDialog(QWidget* parent, const QString& caption,
                                     const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
}
