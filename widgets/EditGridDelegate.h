#pragma once

#include "widgets/EditGridPainter.h"

#include <QAbstractItemDelegate>

// Hands the drawing of the grid's normal and subject cells to the painter.
// The grid has its own editor, so the delegate creates none.
class TEditGridDelegate : public QAbstractItemDelegate {
    Q_OBJECT

public:
    TEditGridDelegate(const TEditGrid& grid, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TEditGridPainter Painter;
};
