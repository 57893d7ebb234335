#include "app/Environment.h"

#include "data/SpellChecker.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kHelpFileName = QStringLiteral("quillorin.chm");

QString WithSeparator(const QString& folder) {
    return QDir::toNativeSeparators(folder) + QDir::separator();
}

} // namespace

TFileLocations ChooseFileLocations(const TProgramPlace& place) {
    const bool installed = !place.HelpBesideProgram && place.InstalledHelpExists;
    TFileLocations locations;
    locations.Folder =
        place.ProgramFolderWritable && !installed ? place.ProgramFolder : place.UserFolder;
    locations.HelpFile = installed ? place.InstalledHelpFile : place.ProgramFolder + kHelpFileName;
    return locations;
}

TEnvironment TEnvironment::FromApplication() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    TProgramPlace place;
    place.ProgramFolder = WithSeparator(programFolder);
    place.ProgramFolderWritable = QFileInfo(programFolder).isWritable();
    place.HelpBesideProgram = QFileInfo::exists(place.ProgramFolder + kHelpFileName);
    // Relative to the executable, so that a package installed under another
    // prefix than the build's finds its help all the same.
    place.InstalledHelpFile = QDir::cleanPath(programFolder + QStringLiteral("/") +
                                              QStringLiteral(QUILLORIN_INSTALLED_HELP_FILE));
    place.InstalledHelpExists = QFileInfo::exists(place.InstalledHelpFile);
    place.UserFolder =
        WithSeparator(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    const TFileLocations locations = ChooseFileLocations(place);
    if (locations.Folder == place.UserFolder)
        QDir().mkpath(locations.Folder);

    TEnvironment environment;
    environment.Folder = locations.Folder;
    environment.HelpFile = locations.HelpFile;
    environment.Regional = TRegionalSettings::FromLocale(QLocale::system());
    environment.Today = [] {
        return QDate::currentDate();
    };
    environment.Arguments = QCoreApplication::arguments();
    environment.Printers = TPrinters::FromSystem();
    environment.DictionaryFolders = ::DictionaryFolders(place.ProgramFolder);
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
