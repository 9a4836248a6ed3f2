#!/usr/bin/env bash
# Builds the benchmarks optimized in ./build-bench, installing what is missing, and runs every
# one; each prints its figures against a floor measured in the same run and says whether they
# meet their targets. Options go to every program, e.g. tools/bench.sh --benchmark_filter=Build
set -euo pipefail
cd "$(dirname "$0")/.."
EXTRA_PACKAGES=libbenchmark-dev tools/prepare.sh Release build-bench \
    -DK36_BUILD_TESTS=OFF -DK36_BUILD_BENCH=ON
# Without a display the windows are drawn off screen, the editor and its yardstick alike.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
fi
status=0
for program in build-bench/bench/bench_*; do
    [ -f "$program" ] && [ -x "$program" ] || continue
    echo "== ${program##*/}"
    "$program" "$@" || status=1
done
exit "$status"
