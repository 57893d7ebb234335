#!/usr/bin/env bash
# Installs what is missing, builds Quillorin with its tests and runs them all.
# GUI tests use Qt's offscreen platform: no display is needed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILLORIN_BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$build" "$@"
ctest --test-dir "$build" --output-on-failure -j2
