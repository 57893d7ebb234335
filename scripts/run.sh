#!/usr/bin/env bash
# Installs what is missing, builds Quillorin and starts it. The first time,
# the program's folder gets the sample workspace so that there is something
# to look at, written for the regional settings in force (its marks then read
# in any locale); after that the teacher's own files there are left alone.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
bin="$root/build/bin"
if [ ! -e "$bin/tree.dat" ]; then
    "$bin/quillorin-sample" "$root/samples/tree.dat" "$bin/tree.dat"
    [ -e "$bin/quillorin.ini" ] || cp "$root/samples/quillorin.ini" "$bin/quillorin.ini"
fi
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: set DISPLAY (or start a desktop session) to see the window." >&2
    exit 1
fi
exec "$bin/quillorin"
