#include "app/Application.h"

#include "app/HandlerGuard.h"

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv) {
    setApplicationName(ApplicationTitle());
    setQuitOnLastWindowClosed(true);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    // The last net: handlers catch their own errors (RunGuarded).
    bool result = false;
    RunGuarded(activeWindow(), [&] { result = QApplication::notify(receiver, event); });
    return result;
}
