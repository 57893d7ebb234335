#pragma once

#include "data/PupilImport.h"

#include <QDialog>

class QTreeWidget;

// What an import will do, before it does it: the pupils to add and the rows
// left out with their reason. "Ok" is enabled when there is one to add.
class TPupilImportDlg : public QDialog {
    Q_OBJECT

public:
    TPupilImportDlg(const QString& className, const TPupilImportPlan& plan,
                    QWidget* parent = nullptr);
};
