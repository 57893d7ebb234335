#!/usr/bin/env bash
# Builds the workspace reader's fuzzer with clang in build-fuzz/ and runs it
# for the number of seconds given (60 by default), seeded with the test
# suite's workspace files. Exits nonzero when the fuzzer finds a crash, a
# hang or a sanitizer report; what it found is left in build-fuzz/findings/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
build="${QUILLORIN_FUZZ_BUILD_DIR:-$root/build-fuzz}"

"$root/scripts/install-deps.sh" clang libclang-rt-14-dev
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DQUILLORIN_FUZZ=ON -DQUILLORIN_BENCHMARKS=OFF \
    -DQUILLORIN_WERROR=ON >/dev/null
cmake --build "$build" --target fuzz_workspace_reader

# The fuzzer adds what it learns to its corpus: work on a copy of the seeds.
corpus="$build/corpus"
findings="$build/findings"
rm -rf "$corpus" "$findings"
mkdir -p "$corpus" "$findings"
cp "$root"/tests/data/golden/*.dat "$root"/tests/data/broken/*.dat "$corpus"/

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
"$build/bin/fuzz_workspace_reader" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=4096 -max_len=65536 -dict="$root/fuzz/workspace.dict" \
    -artifact_prefix="$findings/" "$corpus"
