#!/usr/bin/env bash
# Installs what is missing, builds the editor and runs every test headless, in ./build: the
# scenarios both off screen and on a virtual X server of their own.
# ./test.sh --sanitize runs the same tests in ./build-sanitize, built with AddressSanitizer and
# UndefinedBehaviorSanitizer: the first fault they see fails the test that made it.
set -euo pipefail
cd "$(dirname "$0")"
if [ "${1:-}" = "--sanitize" ]; then
    export ASAN_OPTIONS=detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
    export UBSAN_OPTIONS=print_stacktrace=1
    export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp"
    tools/prepare.sh Debug build-sanitize -DK36_SANITIZE=ON
    cd build-sanitize
else
    tools/prepare.sh
    cd build
fi
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
