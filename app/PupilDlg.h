#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class TComboBox97;
class TEdit97;

// Asks the identity of a new pupil of the class it is given. Return in a
// field moves on to the next one.
class TPupilDlg : public QDialog {
    Q_OBJECT

public:
    TPupilDlg(const QString& className, QWidget* parent = nullptr);

    QString Surname() const;
    QString Name() const;
    QString BirthDay() const;
    QString Sexe() const;
    QString ClassName() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* NewLabel(const char* name, const char* text, int top);
    TEdit97* NewEdit(const char* name, int top);
    void SurnameEdtChange(const QString& text);

    QFrame* MainPnl;
    TEdit97* SurnameEdt;
    TEdit97* NameEdt;
    TEdit97* BirthdayEdt;
    TComboBox97* SexeCombo;
    QLabel* ClassPnl;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
};
