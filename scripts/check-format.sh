#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what the committed .clang-format makes of
# it; `scripts/check-format.sh --fix` reformats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null ||
                     find src tests bench fuzz -name '*.cpp' -o -name '*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
else
    clang-format --dry-run -Werror "${files[@]}"
    echo "${#files[@]} files formatted as .clang-format says"
fi
