#!/usr/bin/env bash
# Configures and builds the project in build/ (or the folder given first).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
shift || true
# ccache, where the machine has it, makes a second build of the same sources
# (a clean clone, the sanitizer build's unchanged objects) nearly free.
launcher=()
if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}" CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORIN_WERROR=ON \
    "${launcher[@]}" "$@" >/dev/null
cmake --build "$build"
