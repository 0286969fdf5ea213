#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UndefinedBehavior-
# Sanitizer) and fuzzes each for a bounded time, starting from a scratch copy
# of its seed corpus; the committed corpus is never written to. Exits non-zero
# when any target finds a fault; the reproducer of this run is kept under
# build/fuzz/findings/<target>/ and its replay command printed.
#   tests/fuzz/run.sh [seconds-per-target]     (default 20, four targets)
# Environment: TALLYFIN_FUZZ_BUILD (build directory, default build/fuzz),
# TALLYFIN_FUZZ_ARGS (extra libFuzzer options, e.g. "-runs=10000000").
set -euo pipefail

seconds=${1:-20}
root=$(cd "$(dirname "$(readlink -f "$0")")/../.." && pwd)
build=${TALLYFIN_FUZZ_BUILD:-$root/build/fuzz}
fuzz_dir=$root/tests/fuzz
targets=(fuzz_numbers fuzz_trade fuzz_batches_golden fuzz_statement)

if ! command -v clang++ >/dev/null; then
    echo "run.sh: clang++ is missing (Debian: clang libclang-rt-14-dev)" >&2
    exit 2
fi
if [[ ! -f $build/CMakeCache.txt ]]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
        -DTALLYFIN_FUZZ=ON -DTALLYFIN_BUILD_BENCHMARKS=OFF >/dev/null
fi
cmake --build "$build" --target "${targets[@]}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

dictionary_for() {
    case $1 in
    fuzz_numbers) echo "$fuzz_dir/numbers.dict" ;;
    fuzz_statement) echo "$fuzz_dir/statement.dict" ;;
    *) echo "$fuzz_dir/fields.dict" ;;
    esac
}

failed=()
for target in "${targets[@]}"; do
    corpus=$scratch/$target
    findings=$build/findings/$target
    rm -rf "$findings"
    mkdir -p "$corpus" "$findings"
    cp -R "$fuzz_dir/corpus/$target/." "$corpus/"
    echo "== $target: ${seconds}s" >&2
    # -timeout: one input taking seconds is a hang worth reporting.
    # shellcheck disable=SC2086 # TALLYFIN_FUZZ_ARGS is a list of options
    if ! "$build/tests/fuzz/$target" "$corpus" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -dict="$(dictionary_for "$target")" -artifact_prefix="$findings/" \
        -print_final_stats=1 ${TALLYFIN_FUZZ_ARGS:-} 2>"$scratch/$target.log"; then
        tail -n 60 "$scratch/$target.log" >&2
        for artifact in "$findings"/*; do
            [[ -f $artifact ]] && echo "replay: $build/tests/fuzz/$target $artifact" >&2
        done
        failed+=("$target")
    else
        grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec|#[0-9]+ +DONE)' \
            "$scratch/$target.log" >&2 || true
    fi
done

if ((${#failed[@]})); then
    echo "fuzzing found faults in: ${failed[*]}" >&2
    exit 1
fi
echo "fuzzing: no findings" >&2
