#include "widgets/EditGridDelegate.h"

TEditGridDelegate::TEditGridDelegate(const TEditGrid& grid, QObject* parent)
    : QAbstractItemDelegate(parent)
    , Painter(grid) {}

void TEditGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    Painter.PaintCell(*painter, option.rect, index.column(), index.row() + 1);
}

QSize TEditGridDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return option.rect.size();
}
