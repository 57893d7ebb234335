#pragma once

#include "data/PrintConf.h"

#include <QFont>

// The font a sheet is drawn in, sized in page units (tenths of a
// millimetre): size N gives N × 96 / 72 units. A settings file without a
// font (an empty face, size 0: every first start) still gives a readable
// sheet: an empty face draws in the platform's default face, size 0 at the
// print dialog's own size, 24 (3.2 mm).
QFont SheetFont(const QString& face, int size, TFontStyles style);

inline constexpr int DefaultSheetFontSize = 24;
