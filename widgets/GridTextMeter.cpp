#include "widgets/GridTextMeter.h"

namespace {

// Beyond this many distinct texts the cache starts afresh instead of growing.
constexpr qsizetype MaxCachedWidths = 8192;

int Padded(int size) {
    return size + 4 <= 4 ? 0 : size + 4;
}

} // namespace

TGridTextMeter::TGridTextMeter(const QFont& font)
    : Metrics(font) {}

void TGridTextMeter::SetFont(const QFont& font) {
    Metrics = QFontMetrics(font);
    Widths.clear();
}

QSize TGridTextMeter::MeasureText(const QString& text) const {
    auto found = Widths.constFind(text);
    if (found == Widths.constEnd()) {
        if (Widths.size() >= MaxCachedWidths)
            Widths.clear();
        found = Widths.insert(text, MeasureTransient(text).width());
    }
    return {found.value(), PaddedHeight()};
}

QSize TGridTextMeter::MeasureTransient(const QString& text) const {
    // The terminating NUL is measured with the text, as the grid always did:
    // it gives every cell a little room beyond its last glyph.
    return {Padded(Metrics.horizontalAdvance(text + QChar(u'\0'))), PaddedHeight()};
}

int TGridTextMeter::PaddedHeight() const {
    return Padded(Metrics.height());
}
