#!/usr/bin/env bash
# Configures and builds the project in build/ (or the folder given first).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
shift || true
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORIN_WERROR=ON "$@" >/dev/null
cmake --build "$build"
