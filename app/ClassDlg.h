#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TEdit97;

// Asks the name of a new class; Return in the name field answers Ok.
class TClassDlg : public QDialog {
    Q_OBJECT

public:
    explicit TClassDlg(QWidget* parent = nullptr);

    QString ClassName() const;
    // For a class being renamed: its present name, selected.
    void SetClassName(const QString& name);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* ClassLbl;
    TEdit97* ClassEdt;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
};
