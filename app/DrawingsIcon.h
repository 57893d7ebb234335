#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <functional>
#include <vector>

// One drawing of an icon: the picture at Path, Size pixels square, drawn for
// screens of pixel density Scale (2 for the "@2x" pictures), used in Mode.
struct TDrawing {
    QString Path;
    int Size = 0;
    qreal Scale = 1;
    QIcon::Mode Mode = QIcon::Normal;
};

// Reads a drawing's picture; a null pixmap when it cannot.
using TDrawingReader = std::function<QPixmap(const QString& path)>;

// An icon of the given drawings that reads a drawing only when a question
// asked of it needs that one: a tool bar's 32-pixel button never reads the
// 16- and 64-pixel drawings. Every question then goes to the icon of the
// drawings read so far, made as an icon of all of them would be, so it
// answers as that icon does.
QIcon DrawingsIcon(std::vector<TDrawing> drawings, TDrawingReader read = {});
