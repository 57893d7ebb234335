#pragma once

#include <QDate>
#include <QDialog>
#include <QString>

#include <vector>

class QPushButton;
class QTreeWidget;

// One dated copy of the workspace as the list shows it.
struct TBackupEntry {
    QDate Day;
    QString Path;
    int Classes = 0;
    int Pupils = 0;
    bool Complete = true; // read to its end
};

// The dated copies of the workspace, newest first, with their day and what
// they hold. "Restaurer" closes the dialog accepted with the chosen copy;
// the window asks for confirmation and restores it.
class TBackupsDlg : public QDialog {
    Q_OBJECT

public:
    TBackupsDlg(std::vector<TBackupEntry> copies, QWidget* parent = nullptr);

    // The copy chosen, when the dialog was accepted.
    const TBackupEntry* Chosen() const;

private:
    std::vector<TBackupEntry> FCopies;
    QTreeWidget* List;
    QPushButton* RestoreBtn;
    QPushButton* CloseBtn;
};
