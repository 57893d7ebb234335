#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Asks before a class or a pupil is deleted. Its height follows the length
// of the text, which is given before the dialog is shown.
class TDeleteDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr QSize MinimumClientSize{160, 120};
    static constexpr QSize MaximumClientSize{400, 150};

    explicit TDeleteDlg(QWidget* parent = nullptr);

    void SetInfo(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void PlaceBelowInfo(int infoHeight);

    QLabel* ConfirmIco;
    QLabel* InfoLbl;
    QLabel* FadingLbl;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
};
