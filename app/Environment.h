#pragma once

#include "data/RegionalSettings.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Asks the user for a file: parent, caption, filter; empty when cancelled.
using TFileChooser =
    std::function<QString(QWidget* parent, const QString& caption, const QString& filter)>;

// What the program takes from the machine it runs on, gathered once at start
// so that tests can give their own folder, regional settings and day.
struct TEnvironment {
    QString Folder; // the executable's folder, with its trailing separator
    TRegionalSettings Regional;
    std::function<QDate()> Today;
    QStringList Arguments;
    TFileChooser ChooseOpenFile = OpenFileDialog;
    TFileChooser ChooseSaveFile = SaveFileDialog;

    static TEnvironment FromApplication();
    static QString OpenFileDialog(QWidget* parent, const QString& caption, const QString& filter);
    static QString SaveFileDialog(QWidget* parent, const QString& caption, const QString& filter);

    QString FilePath(const QString& name) const { return Folder + name; }
};
