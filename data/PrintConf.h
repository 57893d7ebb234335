#pragma once

#include <QFlags>
#include <QString>

enum class TFontStyle { Bold = 0x1, Italic = 0x2 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

// The print dialog's settings, kept between two uses of the dialog and
// between two runs. Values read from the settings file are kept as read,
// even outside the ranges the dialog's controls allow. The widths and the
// margin are in tenths of a millimetre.
struct TPrintConf {
    QString FontName;
    int FontSize = 0;
    TFontStyles FontStyle;
    int DrawTitle = 0;
    int DrawRemarks = 0;
    int ColWidth = 0;
    int MarkColWidth = 0;
    int RowHeight = 0;
    int ZoomIndex = 0;
    int LeftMargin = 0;

    bool operator==(const TPrintConf&) const = default;
};
