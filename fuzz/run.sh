#!/usr/bin/env bash
# Builds the readers' fuzzers with clang in build-fuzz/ and runs them for the
# number of seconds given in all (60 by default): half for the workspace
# reader, the rest shared by the others, each seeded with the test suite's
# files or its own seeds (fuzz/seeds/). Exits nonzero when a fuzzer finds a crash, a hang or a
# sanitizer report; what it found is left in build-fuzz/findings/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
build="${QUILLORIN_FUZZ_BUILD_DIR:-$root/build-fuzz}"

"$root/scripts/install-deps.sh" clang libclang-rt-14-dev
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DQUILLORIN_FUZZ=ON -DQUILLORIN_BENCHMARKS=OFF \
    -DQUILLORIN_WERROR=ON >/dev/null
cmake --build "$build" --target fuzz_workspace_reader fuzz_settings_reader fuzz_subject_import \
    fuzz_pupil_list fuzz_remarks_bank

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
findings="$build/findings"
rm -rf "$findings"
mkdir -p "$findings"

# Runs one fuzzer for the given seconds on a copy of its seeds: it adds what
# it learns to its corpus.
run() {
    local target="$1" time="$2" dict="$3" options=()
    shift 3
    [ -n "$dict" ] && options=(-dict="$dict")
    local corpus="$build/corpus-$target"
    rm -rf "$corpus"
    mkdir -p "$corpus"
    cp "$@" "$corpus"/
    "$build/bin/$target" -max_total_time="$time" -timeout=10 -rss_limit_mb=4096 \
        -max_len=65536 "${options[@]}" -artifact_prefix="$findings/$target-" "$corpus"
}

workspace_seconds=$((seconds / 2))
others=$(((seconds - workspace_seconds) / 4))
run fuzz_workspace_reader "$workspace_seconds" "$root/fuzz/workspace.dict" \
    "$root"/tests/data/golden/*.dat "$root"/tests/data/broken/*.dat
run fuzz_settings_reader "$others" "$root/fuzz/settings.dict" \
    "$root"/tests/data/golden/quillorin.ini
run fuzz_subject_import "$others" "" "$root"/fuzz/seeds/subjects/*
run fuzz_pupil_list "$others" "" "$root"/fuzz/seeds/pupils/*
run fuzz_remarks_bank "$((seconds - workspace_seconds - 3 * others))" "" \
    "$root"/data/resources/appreciations.txt "$root"/fuzz/seeds/remarks/*
