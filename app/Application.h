#pragma once

#include <QApplication>
#include <QTranslator>

// Shows any error that escapes an event handler in the general error report
// and goes on: no exception ever leaves Qt's event loop. Qt's own texts (edit
// menus, standard buttons, file and print dialogs) are French whatever the
// user's locale, like the rest of the interface.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    QTranslator FQtTexts;
};
