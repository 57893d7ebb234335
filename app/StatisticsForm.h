#pragma once

#include "app/Environment.h"
#include "data/ColHints.h"

#include <QPersistentModelIndex>
#include <QWidget>

class QItemSelectionModel;
class TStatisticsChart;
class TWorkspaceModel;

// What the statistics window takes from the program.
struct TStatisticsContext {
    TWorkspaceModel* Model = nullptr;
    TColHints ColHints;
    QChar DecimalSeparator = u',';
    TFileChooser ChooseSaveFile;
};

// "Statistiques de la classe": the chart of one class, kept up to date with
// the tree's changes while it is open (Refresh for the changes the tree does
// not hear of, such as the grid's), copied or saved as PNG or PDF.
class TStatisticsForm : public QWidget {
    Q_OBJECT

public:
    TStatisticsForm(TStatisticsContext context, QWidget* parent = nullptr);

    // Shows the class, by its node in the model.
    void SetClass(const QModelIndex& schoolClass);
    QModelIndex ClassIndex() const { return FClass; }
    const TStatisticsChart& Chart() const { return *FChart; }

    // Shows the class of whatever the tree selects from now on.
    void FollowSelection(const QItemSelectionModel* selection);

    void Refresh();
    void CopyExecute();
    void SaveExecute();
    // Writes the chart; a PDF for a ".pdf" name, else a PNG. The error text
    // when the file cannot be written.
    std::optional<QString> SaveTo(const QString& path) const;

private:
    TStatisticsContext FContext;
    QPersistentModelIndex FClass;
    TStatisticsChart* FChart;
};
