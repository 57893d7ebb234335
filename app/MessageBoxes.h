#pragma once

#include <QString>

class QWidget;

// The application's title, used for the window and every message box.
inline QString ApplicationTitle() {
    return QStringLiteral("Quillorin");
}

// An expected problem: a modal box with the text and one OK button. A
// carriage return in the text starts a new line.
void ShowMessage(QWidget* parent, const QString& text);

// An error that interrupted what the program was doing; it then goes on.
void ShowErrorReport(QWidget* parent, const QString& text);
