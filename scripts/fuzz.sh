#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz") and runs each for a bounded
# time: scripts/fuzz.sh [seconds] [target ...]. Seconds default to
# $PIXMORA_FUZZ_SECONDS, else 60; targets default to every fuzz_* built.
# Each target starts from a copy of its seed corpus under build/fuzz, so what it
# finds never lands in the repository. Exits non-zero on any crash, leak,
# timeout or sanitizer report; the input that did it is saved under
# build/fuzz/artifacts/<target>/ and shown with its log.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seconds=${1:-${PIXMORA_FUZZ_SECONDS:-60}}
shift $(($# > 0 ? 1 : 0))
case $seconds in
'' | *[!0-9]*) echo "fuzz.sh: seconds must be a whole number, not '$seconds'" >&2; exit 2 ;;
esac

cmake --preset fuzz >/dev/null && cmake --build --preset fuzz >/dev/null ||
    { echo "fuzz.sh: the fuzz build failed (run: cmake --build --preset fuzz)" >&2; exit 1; }

bin="$root/build/fuzz/bin"
if [ $# -eq 0 ]; then
    set -- $(cd "$bin" && ls fuzz_* 2>/dev/null)
fi
[ $# -gt 0 ] || { echo "fuzz.sh: no fuzz targets were built" >&2; exit 1; }

# UBSan findings abort (-fno-sanitize-recover); have them print their stack.

export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
for target in "$@"; do
    work="$root/build/fuzz/runs/$target"
    artifacts="$root/build/fuzz/artifacts/$target"
    rm -rf "$work"
    mkdir -p "$work/corpus" "$artifacts"
    if [ -d "fuzz/corpus/$target" ]; then
        cp fuzz/corpus/"$target"/* "$work/corpus/"
    fi
    log="$work/fuzz.log"
    "$bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
        -detect_leaks=1 -print_final_stats=1 -artifact_prefix="$artifacts/" \
        "$work/corpus" >"$log" 2>&1
    rc=$?
    # libFuzzer's exit status covers every finding; the log is searched as well
    # in case a sanitizer reported without stopping the run.
    if [ $rc -ne 0 ] || grep -qE "runtime error:|ERROR: (Address|Leak|UndefinedBehavior)Sanitizer" "$log"; then
        echo "fuzz.sh: $target FAILED (exit $rc); log $log:"
        grep -vE "^#[0-9]+" "$log" | tail -n 40
        status=1
        continue
    fi
    execs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+)/\1/p' "$log")
    cov=$(grep -oE "cov: [0-9]+ ft: [0-9]+" "$log" | tail -n 1)
    units=$(ls "$work/corpus" | wc -l)
    echo "fuzz.sh: $target passed: ${seconds}s, $execs runs, $cov, corpus $units inputs"
done
exit $status
