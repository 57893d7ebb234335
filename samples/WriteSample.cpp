// Puts the sample workspace in place for the regional settings in force: the
// program reads "tree.dat" by the user's decimal separator, so a file written
// for one locale would be corrupt under another. The sample is kept with
// decimal points (the C locale) and written here by the program's own writer.
//
//   quillorin-sample SOURCE DESTINATION

#include "data/RegionalSettings.h"
#include "data/Workspace.h"
#include "data/WorkspaceReader.h"
#include "data/WorkspaceWriter.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream errors(stderr);
    if (arguments.size() != 3) {
        errors << "usage: quillorin-sample SOURCE DESTINATION\n";
        return 2;
    }
    QStringList messages;
    TWorkspace tree;
    const TLoadResult load =
        LoadWorkspace(arguments[1], tree, TRegionalSettings::FromLocale(QLocale::c()),
                      [&](const QString& text) { messages << text; });
    if (!load.Complete()) {
        errors << arguments[1] << ": " << messages.join(u' ') << load.Error << '\n';
        return 1;
    }
    if (auto error =
            SaveWorkspace(arguments[2], tree, TRegionalSettings::FromLocale(QLocale::system()),
                          QDate::currentDate())) {
        errors << *error << '\n';
        return 1;
    }
    return 0;
}
