#pragma once

#include <QLineEdit>

// The grid's in-place editor. Keys that move between cells, and Enter, go
// to the grid; Left and Right do so only at the ends of the text.
class TGridInplaceEdit : public QLineEdit {
    Q_OBJECT

public:
    TGridInplaceEdit(QWidget& grid, QWidget* parent);

    void SetColors(const QColor& background, const QColor& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool BelongsToGrid(const QKeyEvent& event) const;

    QWidget& Grid;
};
