#pragma once

#include <QApplication>

// Shows any error that escapes an event handler in the general error report
// and goes on: no exception ever leaves Qt's event loop.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
