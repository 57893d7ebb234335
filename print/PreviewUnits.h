#pragma once

#include <cstdint>

// The units of the print preview's margins, paper size and drawing.
enum class TUnits { mmPixel, mmLoMetric, mmHiMetric, mmLoEnglish, mmHiEnglish, mmTWIPS };

// Units per inch; 0 for pixels, which need no conversion.
int UnitsPerInch(TUnits units);

// value × numerator / denominator, rounded to the nearest integer with
// halves away from zero, on a 64-bit intermediate.
int MulDiv(int value, int numerator, int denominator);

int UnitsToPixels(int value, TUnits units, int resolution);
int PixelsToUnits(int pixels, TUnits units, int resolution);
