#!/usr/bin/env bash
# Installs what is missing, builds the optimized editor and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/prepare.sh Release build-release -DK36_BUILD_TESTS=OFF
exec ./build-release/k36edit
