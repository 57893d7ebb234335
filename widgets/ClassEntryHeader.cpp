#include "widgets/ClassEntryHeader.h"

#include "widgets/ClassEntryGrid.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QToolTip>

TClassEntryHeader::TClassEntryHeader(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setHighlightSections(true);
    setSectionResizeMode(QHeaderView::Fixed);
    setMinimumSectionSize(8);
    setStretchLastSection(false);
}

bool TClassEntryHeader::HasHeadings() const {
    const QAbstractItemModel* source = model();
    if (!source)
        return false;
    return source->headerData(0, Qt::Horizontal, TClassEntryGrid::HasBandsRole).toBool();
}

int TClassEntryHeader::LineHeight() const {
    return fontMetrics().height() + 6;
}

int TClassEntryHeader::BandTop(int band) const {
    const int first = HasHeadings() ? 0 : 1;
    return std::max(band - first, 0) * LineHeight();
}

int TClassEntryHeader::BandAt(int y) const {
    const int first = HasHeadings() ? 0 : 1;
    return std::min(first + y / LineHeight(), 2);
}

QSize TClassEntryHeader::sizeHint() const {
    return {QHeaderView::sizeHint().width(), (HasHeadings() ? 3 : 2) * LineHeight()};
}

void TClassEntryHeader::PaintBox(QPainter& painter, const QRect& rect, const QString& text) const {
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = 0;
    option.position = QStyleOptionHeader::Middle;
    option.textAlignment = Qt::AlignCenter;
    option.text = painter.fontMetrics().elidedText(text, Qt::ElideRight, rect.width() - 6);
    style()->drawControl(QStyle::CE_Header, &option, &painter, this);
}

void TClassEntryHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    // The column's own label only; the bands above are drawn across their
    // sections by paintEvent.
    QRect bottom = rect;
    bottom.setTop(BandTop(2));
    const int kind =
        model()->headerData(logicalIndex, Qt::Horizontal, TClassEntryGrid::KindRole).toInt();
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = bottom;
    option.section = logicalIndex;
    option.textAlignment = Qt::AlignCenter;
    option.text =
        kind == TClassEntryGrid::LevelKind ? QStringLiteral("Niv.") : QStringLiteral("Note");
    if (const QItemSelectionModel* selection = selectionModel();
        selection && selection->currentIndex().column() == logicalIndex)
        option.state |= QStyle::State_On;
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
}

QRect TClassEntryHeader::GroupRect(int section, int role, int band) const {
    const QAbstractItemModel* source = model();
    const QVariant group = source->headerData(section, Qt::Horizontal, role);
    int first = visualIndex(section);
    int last = first;
    auto sameGroup = [&](int visual) {
        return source->headerData(logicalIndex(visual), Qt::Horizontal, role) == group;
    };
    while (first > 0 && sameGroup(first - 1))
        --first;
    while (last + 1 < count() && sameGroup(last + 1))
        ++last;
    const int left = sectionViewportPosition(logicalIndex(first));
    const int right = sectionViewportPosition(logicalIndex(last)) + sectionSize(logicalIndex(last));
    return QRect(left, BandTop(band), right - left, LineHeight());
}

void TClassEntryHeader::paintEvent(QPaintEvent* event) {
    QHeaderView::paintEvent(event);
    const QAbstractItemModel* source = model();
    if (!source || count() == 0)
        return;
    QPainter painter(viewport());
    const int firstVisible = std::max(visualIndexAt(0), 0);
    int lastVisible = visualIndexAt(viewport()->width() - 1);
    if (lastVisible < 0)
        lastVisible = count() - 1;
    const bool headings = HasHeadings();
    for (int band = headings ? 0 : 1; band < 2; ++band) {
        const int groupRole =
            band == 0 ? TClassEntryGrid::BandGroupRole : TClassEntryGrid::SubjectRole;
        const int textRole = band == 0 ? TClassEntryGrid::BandRole : int(Qt::DisplayRole);
        for (int visual = firstVisible; visual <= lastVisible;) {
            const int logical = logicalIndex(visual);
            const QRect box = GroupRect(logical, groupRole, band);
            PaintBox(painter, box,
                     source->headerData(logical, Qt::Horizontal, textRole).toString());
            const int next = visualIndexAt(box.right() + 1);
            if (next <= visual)
                break;
            visual = next;
        }
    }
}

bool TClassEntryHeader::viewportEvent(QEvent* event) {
    // Names cut to their box are read whole under the mouse.
    if (event->type() == QEvent::ToolTip && model()) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int logical = logicalIndexAt(help->pos());
        if (logical >= 0) {
            const int band = BandAt(help->pos().y());
            const QString text =
                band == 0
                    ? model()
                          ->headerData(logical, Qt::Horizontal, TClassEntryGrid::BandRole)
                          .toString()
                    : model()->headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString();
            if (!text.isEmpty() && band < 2) {
                QToolTip::showText(help->globalPos(), text, this);
                return true;
            }
        }
        QToolTip::hideText();
        return true;
    }
    return QHeaderView::viewportEvent(event);
}
