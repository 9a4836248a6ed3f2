#!/usr/bin/env bash
# Installs what the editor needs to build and run, when it is missing, then configures and builds
# it: tools/prepare.sh [BUILD_TYPE [BUILD_DIR [CMAKE_OPTION...]]]. ./test.sh builds everything in
# ./build (the default: Debug); ./run.sh builds the optimized program alone in ./build-release.
# EXTRA_PACKAGES names packages that a build with extra options needs besides these.
set -euo pipefail
cd "$(dirname "$0")/.."
build_type="${1:-Debug}"
build_dir="${2:-build}"
shift $(( $# > 2 ? 2 : $# ))

packages=(g++ cmake make qt6-base-dev libgl-dev googletest libgtest-dev fonts-wqy-microhei
    qt6-translations-l10n xvfb ${EXTRA_PACKAGES:-})
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi

cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
