#pragma once

#include "widgets/EditGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

// A window holding an evaluation grid laid out as the main window does it,
// and after it the next control of the tab order.
struct TGridFixture {
    QWidget Window;
    TEditGrid* Grid;
    QLineEdit* Next;

    explicit TGridFixture(const QStringList& subjects, QSize size = {420, 300}) {
        auto* layout = new QVBoxLayout(&Window);
        layout->setContentsMargins(0, 0, 0, 0);
        Grid = new TEditGrid(&Window);
        Next = new QLineEdit(&Window);
        layout->addWidget(Grid);
        layout->addWidget(Next);
        Fill(subjects);
        Window.resize(size);
        Window.show();
        Window.activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&Window));
    }

    void Fill(const QStringList& subjects) {
        using namespace Qt::StringLiterals;
        Grid->SetRowCount(static_cast<int>(subjects.size()) + 1);
        const QStringList headers{u"  A  "_s, u"  B  "_s, u"  C  "_s, u"  ?  "_s, u" Note   "_s};
        for (int c = 1; c <= 5; ++c)
            Grid->SetCells(c, 0, headers[c - 1]);
        for (int i = 0; i < subjects.size(); ++i) {
            Grid->SetCells(0, i + 1, subjects[i]);
            Grid->SetCells(4, i + 1, u" X "_s);
        }
        Grid->SetCanEdit(true);
        Grid->FitColWidths();
        Grid->FitRowHeights();
    }

    // Centre of a cell in the coordinates of the widget that receives its mouse events.
    QWidget* CellWidget(int row) const {
        return row == 0 ? Grid->horizontalHeader()->viewport() : Grid->viewport();
    }

    QPoint CellCenter(int col, int row) const {
        if (row == 0) {
            const QHeaderView* header = Grid->horizontalHeader();
            return {header->sectionViewportPosition(col) + header->sectionSize(col) / 2,
                    header->height() / 2};
        }
        return Grid->visualRect(Grid->model()->index(row - 1, col)).center();
    }

    void Click(int col, int row, Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mouseClick(CellWidget(row), button, Qt::NoModifier, CellCenter(col, row));
    }

    // Current cell in grid coordinates, -1 when there is none.
    QPoint Current() const {
        const QModelIndex index = Grid->currentIndex();
        return index.isValid() ? QPoint(index.column(), index.row() + 1) : QPoint(-1, -1);
    }

    QLineEdit* Editor() const { return Grid->findChild<QLineEdit*>(QStringLiteral("InplaceEdit")); }

    bool EditorOpen() const { return Editor() && Editor()->isVisible(); }

    // Opens the editor on the edit cell of a row, with the focus in the grid.
    void OpenEditor(int row) const { Click(Grid->EditCol(), row); }
};
