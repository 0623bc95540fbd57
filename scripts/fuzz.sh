#!/usr/bin/env bash
# Runs every fuzz target of the fuzz build (scripts/build.sh fuzz) for a fixed time over its
# committed seed corpus. New inputs go to a scratch corpus under build/fuzz/, never into the
# repository; an input that crashes or hangs a target is kept under build/fuzz/findings/ and fails
# the run. Usage: scripts/fuzz.sh [seconds per target, default 25] [target...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-25}"
shift || true
build="$root/build/fuzz"
targets=("$@")
if ((${#targets[@]} == 0)); then
    targets=(MapFileFuzzer SettingsFileFuzzer UnitMessagesFuzzer StringCellEvaluatorFuzzer ConsCellEvaluatorFuzzer)
fi

export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0"

mkdir -p "$build/findings"
status=0
for target in "${targets[@]}"; do
    seeds="$root/fuzz/corpus/$target"
    scratch="$build/corpus/$target"
    mkdir -p "$scratch"
    extra=()
    # The cons-cell evaluator keeps every cell until the process ends, by design.
    [[ "$target" == ConsCellEvaluatorFuzzer ]] && extra+=(-detect_leaks=0 -max_len=512)
    echo "==> Fuzzing $target for ${seconds}s"
    if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
            -print_final_stats=1 -artifact_prefix="$build/findings/$target-" "${extra[@]}" \
            "$scratch" "$seeds" >"$build/$target.log" 2>&1; then
        tail -n 60 "$build/$target.log" >&2
        echo "==> $target found a fault; its input is under $build/findings/" >&2
        status=1
    else
        grep -E "^stat::number_of_executed_units|Done [0-9]+ runs" "$build/$target.log" | tail -n 1 || true
    fi
done
exit "$status"
