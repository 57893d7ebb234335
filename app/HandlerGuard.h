#pragma once

#include "app/MessageBoxes.h"

#include <QString>

#include <exception>
#include <utility>

// Runs an event handler so that no exception leaves it: Qt's GUI libraries
// are built without exception support, so an error unwinding through a
// view's or a dialog's frames would skip their clean-up. The error is shown
// by the general error report and the program goes on; the result tells
// whether the handler ran to its end.
template <typename Handler> bool RunGuarded(QWidget* parent, Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const std::exception& error) {
        ShowErrorReport(parent, QString::fromUtf8(error.what()));
    } catch (...) {
        ShowErrorReport(parent, QStringLiteral("Erreur inattendue."));
    }
    return false;
}
