#!/usr/bin/env bash
# The long random-action run: 100,000 actions on each of three seeds.
#   tools/random_actions/long_run.sh [BUILD_TYPE [BUILD_DIR [CMAKE_OPTION...]]]
# builds like tools/prepare.sh (default: Release in build-random) and plays the seeds one after
# another. An optimized build also holds every kind of action to a 99th percentile under 16 ms at
# 512 channels. STEPS and SEEDS in the environment change the run.
set -euo pipefail
cd "$(dirname "$0")/../.."
build_type="${1:-Release}"
build_dir="${2:-build-random}"
shift $(( $# > 2 ? 2 : $# ))
tools/prepare.sh "$build_type" "$build_dir" "$@"

limit=()
[ "$build_type" = Release ] && limit=(--limit 16)
for seed in ${SEEDS:-1 2 3}; do
    QT_QPA_PLATFORM=offscreen "$build_dir/tools/random_actions/random_actions" \
        --seed "$seed" --steps "${STEPS:-100000}" "${limit[@]}"
done
