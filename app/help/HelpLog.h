#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

// What the help diagnostics need from the program: its command line and the
// folder of its executable.
struct THelpDebugOptions {
    QStringList Arguments;
    QString ProgramFolder;
};

// The help diagnostics: a text log "HHDebug.txt" in the program's folder,
// kept when the program is started with "/debug" or "-debug", or when a file
// "debug.debug" lies in that folder. Writing is best effort: a log that cannot
// be written never stops the help.
class THelpLog {
public:
    static QString LogFileName() { return QStringLiteral("HHDebug.txt"); }
    static QString SwitchFileName() { return QStringLiteral("debug.debug"); }

    static bool IsRequested(const THelpDebugOptions& options);

    // Starts a new log, replacing the one of an earlier run.
    explicit THelpLog(const QString& programFolder);

    // One line, written out at once so that it survives a crash.
    void Write(const QString& line);

private:
    QFile FFile;
};
