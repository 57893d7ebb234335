#include "app/Application.h"

#include "app/MessageBoxes.h"

#include <exception>

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv) {
    setApplicationName(ApplicationTitle());
    setQuitOnLastWindowClosed(true);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowErrorReport(activeWindow(), QString::fromUtf8(error.what()));
    } catch (...) {
        ShowErrorReport(activeWindow(), QStringLiteral("Erreur inattendue."));
    }
    return false;
}
