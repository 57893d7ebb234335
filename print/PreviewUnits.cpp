#include "print/PreviewUnits.h"

int UnitsPerInch(TUnits units) {
    switch (units) {
    case TUnits::mmPixel:
        return 0;
    case TUnits::mmLoMetric:
        return 254;
    case TUnits::mmHiMetric:
        return 2540;
    case TUnits::mmLoEnglish:
        return 100;
    case TUnits::mmHiEnglish:
        return 1000;
    case TUnits::mmTWIPS:
        return 1440;
    }
    return 0;
}

int MulDiv(int value, int numerator, int denominator) {
    if (denominator == 0)
        return value;
    const std::int64_t product = std::int64_t(value) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t divisor = denominator < 0 ? -std::int64_t(denominator) : denominator;
    const std::int64_t rounded = (magnitude + divisor / 2) / divisor;
    return int(negative ? -rounded : rounded);
}

int UnitsToPixels(int value, TUnits units, int resolution) {
    const int perInch = UnitsPerInch(units);
    return perInch == 0 ? value : MulDiv(value, resolution, perInch);
}

int PixelsToUnits(int pixels, TUnits units, int resolution) {
    const int perInch = UnitsPerInch(units);
    return perInch == 0 ? pixels : MulDiv(pixels, perInch, resolution);
}
