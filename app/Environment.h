#pragma once

#include "data/RegionalSettings.h"
#include "print/Printers.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

// Where the program finds its help and keeps "tree.dat" and "quillorin.ini".
struct TFileLocations {
    QString Folder;   // the data files' folder, with its trailing separator
    QString HelpFile; // full path of "quillorin.chm"
};

// What the choice of locations depends on, as found on the machine.
struct TProgramPlace {
    QString ProgramFolder; // the executable's folder, with its trailing separator
    bool ProgramFolderWritable = true;
    bool HelpBesideProgram = true;
    QString InstalledHelpFile; // where an installation puts the help
    bool InstalledHelpExists = false;
    QString UserFolder; // the per-user data folder, with its trailing separator
};

// A copy of the program that carries its help beside it (a build, a USB key)
// keeps its files beside itself while it can write there. An installed
// program, or one in a folder it cannot write, keeps them in the per-user
// folder, so that a confirmed quit can always save.
TFileLocations ChooseFileLocations(const TProgramPlace& place);

class QWidget;

// Asks the user for a file: parent, caption, filter; empty when cancelled.
using TFileChooser =
    std::function<QString(QWidget* parent, const QString& caption, const QString& filter)>;

// What the program takes from the machine it runs on, gathered once at start
// so that tests can give their own folder, regional settings and day.
struct TEnvironment {
    QString Folder;   // the data files' folder, with its trailing separator
    QString HelpFile; // empty: "quillorin.chm" in Folder
    TRegionalSettings Regional;
    std::function<QDate()> Today;
    QStringList Arguments;
    // None unless given: tests run with no printer installed.
    TPrinters Printers;
    // Where a French dictionary is looked for; none unless given, so that
    // tests never depend on the machine's.
    QStringList DictionaryFolders;
    TFileChooser ChooseOpenFile = OpenFileDialog;
    TFileChooser ChooseSaveFile = SaveFileDialog;

    // Creates the per-user folder when it is the one chosen.
    static TEnvironment FromApplication();
    static QString OpenFileDialog(QWidget* parent, const QString& caption, const QString& filter);
    static QString SaveFileDialog(QWidget* parent, const QString& caption, const QString& filter);

    QString FilePath(const QString& name) const { return Folder + name; }
    QString HelpFilePath() const {
        return HelpFile.isEmpty() ? FilePath(QStringLiteral("quillorin.chm")) : HelpFile;
    }
};
