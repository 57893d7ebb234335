#pragma once

#include "data/RemarkAgreement.h"
#include "data/RemarksBank.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// The bank of ready remarks: themes and their remarks in one tree, a search
// field that keeps only the remarks holding every word typed (letter case
// and accents ignored), and a preview of the chosen remark as it will read
// for the pupil. Return or a double-click on a remark closes the window
// with that remark, agreed with the pupil, to insert. The teacher adds,
// edits (F2), deletes (Suppr) and moves remarks and themes in the window;
// Bank() holds the result and Changed() says whether there is one.
class TRemarksBankDlg : public QDialog {
    Q_OBJECT

public:
    TRemarksBankDlg(TRemarksBank bank, TRemarkPupil pupil, QWidget* parent = nullptr);

    const TRemarksBank& Bank() const { return FBank; }
    bool Changed() const { return FChanged; }
    // The remark chosen, agreed with the pupil; empty when none was.
    const QString& ChosenRemark() const { return FChosen; }

    // What the window does on its buttons, for the keys and for tests.
    void SearchFor(const QString& text);
    void InsertSelected();
    void NewRemark();
    void NewTheme();
    void EditSelected();
    void DeleteSelected();
    void MoveSelectedTo(int theme);
    // The themes and remarks as shown: a theme's name, then its visible
    // remarks, each indented by two blanks.
    QStringList ShownLines() const;
    // Selects the remark (or the theme, remark -1).
    void Select(int theme, int remark);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Rebuild();
    void ApplySearch();
    void ItemEdited(QTreeWidgetItem* item);
    void UpdatePreview();
    void FillMoveMenu();
    std::pair<int, int> Place(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* ItemAt(int theme, int remark) const;
    int CurrentTheme() const;

    TRemarksBank FBank;
    TRemarkPupil FPupil;
    bool FChanged = false;
    bool FBuilding = false;
    QString FChosen;

    QLineEdit* SearchEdt = nullptr;
    QTreeWidget* BankTree = nullptr;
    QLabel* PreviewLbl = nullptr;
    QPushButton* InsertBtn = nullptr;
    QPushButton* NewRemarkBtn = nullptr;
    QPushButton* NewThemeBtn = nullptr;
    QPushButton* EditBtn = nullptr;
    QPushButton* DeleteBtn = nullptr;
    QToolButton* MoveBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
};
