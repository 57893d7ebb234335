#!/usr/bin/env bash
# Redraws the images that are made from others. Run it after changing
# desktop/icons/quillorin.svg or an image of resources/, and look at the
# results before committing them:
# - the desktop's application icons (hicolor sizes) and the window icon, from
#   the SVG drawing;
# - the double-size (@2x) images of high-density screens: a 16-pixel image's
#   double is the 32-pixel drawing of the same picture, so only the 32- and
#   48-pixel images need one of their own, resampled here;
# - every image of resources/ then stored unfiltered and undeflated, as the
#   program reads them at start-up (the build compresses its resources).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh" librsvg2-bin imagemagick
svg="$root/desktop/icons/quillorin.svg"
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$svg" -o "$root/desktop/icons/${size}.png"
done
res="$root/resources"
rsvg-convert -w 64 -h 64 "$svg" -o "$res/quillorin.png"
rsvg-convert -w 128 -h 128 "$svg" -o "$res/quillorin@2x.png"
double() {
    convert "$1" -filter Lanczos -resize 200% -unsharp 0x0.8 -strip "PNG32:${1%.png}@2x.png"
}
for image in "$res"/toolbar/big/?.png "$res"/tree/big/?.png "$res/quit.png"; do
    double "$image"
done
find "$res" -name '*.png' -exec python3 "$root/scripts/store-images.py" {} +
