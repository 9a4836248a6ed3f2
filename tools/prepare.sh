#!/usr/bin/env bash
# Installs what the editor needs to build and run, when it is missing, then
# configures and builds it in ./build. Both ./run.sh and ./test.sh start here.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake make qt6-base-dev libgl-dev googletest libgtest-dev fonts-wqy-microhei)
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

cmake -S . -B build -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build -j"$(nproc)"
