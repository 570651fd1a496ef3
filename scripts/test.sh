#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Kelmaz and runs every test headless; then builds
# the core once more with AddressSanitizer and UndefinedBehaviorSanitizer and runs the core
# tests under them.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"

export QT_QPA_PLATFORM=offscreen
build=${KELMAZ_BUILD_DIR:-$here/build}
KELMAZ_BUILD_DIR=$build "$here/scripts/build.sh"
(cd "$build" && ctest --output-on-failure --timeout 900)

asan=${KELMAZ_ASAN_BUILD_DIR:-$here/build-asan}
KELMAZ_BUILD_DIR=$asan "$here/scripts/build.sh" -DKELMAZ_CORE_ONLY=ON -DKELMAZ_SANITIZE=ON -DKELMAZ_BENCH=OFF
(cd "$asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure --timeout 900)
