#include "app/help/HelpLog.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

bool THelpLog::IsRequested(const THelpDebugOptions& options) {
    // The first argument is the program itself.
    for (qsizetype i = 1; i < options.Arguments.size(); ++i) {
        const QString& argument = options.Arguments[i];
        if (argument.compare(u"/debug"_s, Qt::CaseInsensitive) == 0 ||
            argument.compare(u"-debug"_s, Qt::CaseInsensitive) == 0)
            return true;
    }
    return QFileInfo::exists(QDir(options.ProgramFolder).filePath(SwitchFileName()));
}

THelpLog::THelpLog(const QString& programFolder)
    : FFile(QDir(programFolder).filePath(LogFileName())) {
    FFile.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
}

void THelpLog::Write(const QString& line) {
    if (!FFile.isOpen())
        return;
    FFile.write(line.toUtf8());
    FFile.write("\n");
    FFile.flush();
}
