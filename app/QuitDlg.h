#pragma once

#include <QDialog>

class QPushButton;

// Asks before quitting, since quitting is also what saves the workspace.
class TQuitDlg : public QDialog {
    Q_OBJECT

public:
    explicit TQuitDlg(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
};
