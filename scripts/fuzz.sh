#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer included) and runs each one over its seed corpus in fuzz/corpus,
# then on fresh inputs for SECONDS seconds (default 30). A crash, a leak, undefined behaviour or
# a hang of over 10 s on one input fails the run; the input that did it is left in the fuzz
# build folder under artifacts/.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
build=${KELMAZ_FUZZ_BUILD_DIR:-$here/build-fuzz}

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DKELMAZ_FUZZ=ON -DKELMAZ_CORE_ONLY=ON -DKELMAZ_BENCH=OFF >/dev/null
harnesses=()
for source in "$here"/fuzz/fuzz_*.cpp; do
    harnesses+=("$(basename "$source" .cpp)")
done
cmake --build "$build" --parallel "$(nproc)" --target "${harnesses[@]}"

export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build/artifacts"
for name in "${harnesses[@]}"; do
    fresh="$build/corpus/$name"
    mkdir -p "$fresh"
    echo "-- $name: seed corpus, then ${seconds} s of fresh inputs"
    "$build/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-" \
        "$fresh" "$here/fuzz/corpus/$name" 2>"$build/$name.log" ||
        { tail -n 60 "$build/$name.log"; exit 1; }
    grep -E '^stat::number_of_executed_units|^Done' "$build/$name.log" || true
done
