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

// What the data folder holds at start, as far as telling a first run goes.
struct TStartFiles {
    bool PerUserFolder = false; // the per-user folder of an installed program
    bool Workspace = false;     // "tree.dat"
    bool Settings = false;      // "quillorin.ini"
    bool DatedCopies = false;   // copies kept by earlier saves
    bool Lock = false;          // the lock of a program running or stopped short
};

// A first run: an installed program's per-user folder with no trace of
// earlier work. Neither missing file is then an error to report. A portable
// copy (beside the program, a USB key) or a folder where the teacher had
// files (one of the two files, dated copies or a lock) is no first run: a
// missing file there is reported.
bool IsFirstRun(const TStartFiles& files);

class QWidget;

// Asks the user for a file: parent, caption, filter; empty when cancelled.
using TFileChooser =
    std::function<QString(QWidget* parent, const QString& caption, const QString& filter)>;

// What the program takes from the machine it runs on, gathered once at start
// so that tests can give their own folder, regional settings and day.
struct TEnvironment {
    QString Folder;   // the data files' folder, with its trailing separator
    QString HelpFile; // empty: "quillorin.chm" in Folder
    // The per-user folder chosen for an installed program (not a copy that
    // keeps its files beside itself).
    bool PerUserFolder = false;
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
    // What the data folder holds now.
    TStartFiles StartFiles() const;
    QString HelpFilePath() const {
        return HelpFile.isEmpty() ? FilePath(QStringLiteral("quillorin.chm")) : HelpFile;
    }
};
