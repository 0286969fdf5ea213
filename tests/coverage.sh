#!/usr/bin/env bash
# Line and branch coverage of core/ by the core tests, measured with gcovr
# in a build directory of its own (--coverage -O0).
#   tests/coverage.sh [--html DIR]
# Fails (status 2, 4 or 6) when core/ falls below 95% of lines or 90% of
# branches. Branches that only the exception machinery takes (the unwinding
# edges of every call that may throw) and those on lines without code are
# left out: they count the compiler's bookkeeping, not our decisions.
# Environment: TALLYFIN_COVERAGE_BUILD (build directory, default build/coverage).
set -euo pipefail

root=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
build=${TALLYFIN_COVERAGE_BUILD:-$root/build/coverage}
html=()
if [[ ${1:-} == --html ]]; then
    mkdir -p "${2:?--html needs a directory}"
    html=(--html-details "$(cd "$2" && pwd)/index.html")
fi

if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S "$root" -B "$build" -G Ninja \
        -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DTALLYFIN_BUILD_BENCHMARKS=OFF \
        -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
fi
cmake --build "$build" --target core_tests

# Counts from an earlier run would add up with this one's.
find "$build" -name '*.gcda' -delete
"$build/tests/core_tests" --gtest_brief=1

gcovr --root "$root" --object-directory "$build" "$build/core" "$build/tests" \
    --filter "$root/core/" \
    --exclude-throw-branches --exclude-unreachable-branches \
    --txt --print-summary "${html[@]}" \
    --fail-under-line 95 --fail-under-branch 90
