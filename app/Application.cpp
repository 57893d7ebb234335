#include "app/Application.h"

#include "app/ApplicationStyle.h"
#include "app/HandlerGuard.h"

#include <QLibraryInfo>

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv) {
    setApplicationName(ApplicationTitle());
    setQuitOnLastWindowClosed(true);
    TApplicationStyle::Install();
    // Without the translations installed Qt's texts stay English: a poorer
    // interface, not a reason to stop.
    if (FQtTexts.load(QStringLiteral("qtbase_fr"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&FQtTexts);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    // The last net: handlers catch their own errors (RunGuarded).
    bool result = false;
    RunGuarded(activeWindow(), [&] { result = QApplication::notify(receiver, event); });
    return result;
}
