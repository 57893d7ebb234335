#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// Asks which other class a pupil goes to.
class TChooseClassDlg : public QDialog {
    Q_OBJECT

public:
    TChooseClassDlg(const QString& pupil, const QStringList& classes, QWidget* parent = nullptr);

    // The row of the chosen class in the list given.
    int ChosenClass() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* ClassLbl;
    QComboBox* ClassCombo;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
};
