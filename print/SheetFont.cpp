#include "print/SheetFont.h"

#include "print/PreviewUnits.h"

#include <QGuiApplication>

QFont SheetFont(const QString& face, int size, TFontStyles style) {
    QFont font = QGuiApplication::font();
    if (!face.trimmed().isEmpty())
        font.setFamily(face);
    font.setPixelSize(MulDiv(size > 0 ? size : DefaultSheetFontSize, 96, 72));
    font.setBold(style.testFlag(TFontStyle::Bold));
    font.setItalic(style.testFlag(TFontStyle::Italic));
    return font;
}
