#pragma once

class QDialog;
class QPushButton;
class QWidget;

// What the small dialogs of the main window share: they open centred on the
// screen, and their buttons are flat.
void CentreOnScreen(QWidget& window);
QPushButton* NewFlatButton(QDialog& dialog, const char* name, const char* text, int left, int top);
