#!/usr/bin/env bash
# Installs what is missing, builds the editor and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
tools/prepare.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
