#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, then runs every gate headless:
#   1. the formatting check (the committed .clang-format);
#   2. the build with warnings as errors, and every test case;
#   3. the Debian package built and checked (lintian, AppStream, desktop entry, manual pages);
#   4. the program built again with AddressSanitizer and UndefinedBehaviorSanitizer, and the
#      core and window tests run under them (all but the web browser's, whose engine does
#      not run under the sanitizers);
#   5. the fuzz harnesses built with clang, each run over its seed corpus and then on fresh
#      inputs for $KELMAZ_FUZZ_SECONDS seconds (default 30).
# Any failure stops the run with a non-zero status.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

section() { printf '\n== %s ==\n' "$*"; }

section "formatting"
"$here/scripts/check-format.sh"

section "build (warnings are errors)"
build=${KELMAZ_BUILD_DIR:-$here/build}
KELMAZ_BUILD_DIR=$build "$here/scripts/build.sh" -DKELMAZ_WERROR=ON
section "tests"
(cd "$build" && ctest --output-on-failure -L core -j "$jobs")
(cd "$build" && ctest --output-on-failure -L ui)

section "package"
"$here/scripts/package.sh" "$build"

section "build and tests under AddressSanitizer and UndefinedBehaviorSanitizer"
asan=${KELMAZ_ASAN_BUILD_DIR:-$here/build-asan}
KELMAZ_BUILD_DIR=$asan "$here/scripts/build.sh" -DCMAKE_BUILD_TYPE=Sanitize \
    -DKELMAZ_SANITIZE=ON -DKELMAZ_BENCH=OFF -DKELMAZ_WEB=OFF
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$asan" && ctest --output-on-failure -L core -j "$jobs")
(cd "$asan" && ctest --output-on-failure -L ui)

section "fuzzing"
"$here/scripts/fuzz.sh" "${KELMAZ_FUZZ_SECONDS:-30}"

# The closing line that CI reads: every case of both runs passed (ctest stops the script
# above on any failure).
count() { (cd "$1" && ctest -N | sed -n 's/^Total Tests: //p'); }
echo "$(($(count "$build") + $(count "$asan"))) passed, 0 failed"
