#pragma once

#include "data/PupilImport.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

// What an import will do, before it does it. The top shows, for each of the
// four fields, which of the file's columns gives it (or "(aucune)"): set
// from the headers or from the user's last choice for the same headers, and
// open to change, the lists below redrawn at once. Then the pupils to add,
// names as they will be stored (those whose letters had to change said so),
// dates that could not be read marked, and the rows left out with their
// reason. "Ok" is enabled when there is one to add.
class TPupilImportDlg : public QDialog {
    Q_OBJECT

public:
    TPupilImportDlg(const QString& className, const TClassNode& schoolClass,
                    const TPupilTable& table, const TPupilColumns& columns,
                    const TPupilValueFormat& format, QWidget* parent = nullptr);

    const TPupilColumns& Columns() const { return FColumns; }
    const TPupilImportPlan& Plan() const { return FPlan; }

private:
    void ColumnChanged(TPupilColumn field);
    void Redraw();

    const TClassNode& FClass;
    const TPupilTable& FTable;
    TPupilValueFormat FFormat;
    QString FClassName;
    TPupilColumns FColumns;
    TPupilImportPlan FPlan;

    std::array<QComboBox*, 4> FColumnCombos{};
    QLabel* NoticeLbl;
    QLabel* AddedLbl;
    QTreeWidget* AddedList;
    QLabel* SkippedLbl;
    QTreeWidget* SkippedList;
    QPushButton* OkBtn;
};
