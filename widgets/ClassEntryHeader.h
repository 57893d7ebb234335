#pragma once

#include <QHeaderView>

// The column headings of the class entry grid, in up to three bands: the
// heading each subject comes under, spanning its subjects; the subject,
// spanning its level and mark columns; "Niv." or "Note" per column. The
// bands come from the model's horizontal header data (TClassEntryGrid's
// roles); neighbouring columns of one group share one box.
class TClassEntryHeader : public QHeaderView {
    Q_OBJECT

public:
    explicit TClassEntryHeader(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // The band of a point of the header: 0 headings, 1 subjects, 2 columns.
    int BandAt(int y) const;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    bool HasHeadings() const;
    int LineHeight() const;
    int BandTop(int band) const;
    // The box of the group around the section, in viewport coordinates.
    QRect GroupRect(int section, int role, int band) const;
    void PaintBox(QPainter& painter, const QRect& rect, const QString& text) const;
};
