#pragma once

#include "data/PData.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTreeWidgetItem;
class TComboBox97;
class TSpelling;
class TSubjectTree;

// A class whose subject lines the editor can copy.
struct TOtherClass {
    QString Name;
    QStringList Matters;
};

// Shows an error that stopped what the user asked for.
using TErrorReport = std::function<void(QWidget* parent, const QString& text)>;

// "Modifier les matières": the class's subjects as a tree with check boxes
// (ticked = evaluated, unticked = heading), filled from a working list of
// subject lines that can be typed, imported from a file or copied from
// another class. When the dialog closes, whatever the result, the working
// list receives the tree's lines: that is the edited subject list.
class TModifyDlg : public QDialog {
    Q_OBJECT

public:
    TModifyDlg(const TPData& classRecord, std::vector<TOtherClass> otherClasses,
               TErrorReport showError, QWidget* parent = nullptr);

    // The working list, one subject line per memo line.
    QStringList MemoLines() const;
    void SetMemoLines(const QStringList& lines);

    // What "Parcourir..." does with the chosen file.
    void ImportFile(const QString& path);

    void done(int result) override;

    // Underlines the misspelt words of the subjects, in the tree and in the
    // list; errors in writing the personal word list go to report.
    void SetSpelling(TSpelling* spelling, const std::function<void(const QString&)>& report);

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum class TFill { Create, Replace, Add };

    void BuildLayout();
    void BuildPopupMenu();
    QPushButton* NewButton(QWidget* parent, const char* name, const QString& text, QRect place);
    QAction* NewItem(const char* name, const QString& text, const QString& hint);

    void AddBtnClick(TFill trigger);
    void RemoveBtnClick();
    void RemoveAllBtnClick();
    void BrowseBtnClick();
    void ClassComboChange(int index);
    void PopupMenuPopup(const QPoint& position);
    void InsertNodeClick();
    void AddChildItemClick();
    void StartEditing(QTreeWidgetItem* node);

    std::vector<TOtherClass> FOtherClasses;
    TErrorReport FShowError;

    QFrame* MainPanel = nullptr;
    QLabel* AvailableMattersLbl = nullptr;
    QLabel* ClassMattersLbl = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QFrame* AvailableMattersPnl = nullptr;
    QFrame* ClassMattersPnl = nullptr;
    QPlainTextEdit* AvailableMattersMemo = nullptr;
    TSubjectTree* ClassMattersTree = nullptr;
    QPushButton* AddAllBtn = nullptr;
    QPushButton* AddBtn = nullptr;
    QPushButton* RemoveBtn = nullptr;
    QPushButton* RemoveAllBtn = nullptr;
    QPushButton* BrowseBtn = nullptr;
    TComboBox97* ClassCombo = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QMenu* PopupMenu = nullptr;
    QAction* InsertNode = nullptr;
    QAction* AddChildItem = nullptr;
    QAction* DeleteNode = nullptr;
    QAction* Expand = nullptr;
    QAction* Collapse = nullptr;
    QAction* SelectAll = nullptr;
};
