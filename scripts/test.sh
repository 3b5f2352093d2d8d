#!/usr/bin/env bash
# Runs every test of Pixmora: the logic on the host under ASan/UBSan, the
# shipped 32-bit exe's static checks, and the Windows side and the real program
# under 64-bit Wine on virtual screens, each in a throwaway Wine prefix.
# Installs what is missing first. Ends with a line "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh || exit 1

passed=0
failed=0
log_dir="$root/build/test-logs"
mkdir -p "$log_dir"

# Adds a ctest run's figures to the totals. ctest's summary line reads
# "NN% tests passed, F tests failed out of N".
count_ctest() {
    local log=$1 line total bad
    line=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$log" | tail -n 1)
    if [ -z "$line" ]; then
        echo "test.sh: no ctest summary in $log" >&2
        failed=$((failed + 1))
        return
    fi
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

# A named check outside ctest: counts as one test.
check() {
    local name=$1
    shift
    if "$@"; then
        echo "check passed: $name"
        passed=$((passed + 1))
    else
        echo "check FAILED: $name"
        failed=$((failed + 1))
    fi
}

build() {
    cmake --preset "$1" >"$log_dir/configure-$1.log" 2>&1 &&
        cmake --build --preset "$1" >"$log_dir/build-$1.log" 2>&1 ||
        { echo "test.sh: the $1 build failed:"; tail -n 40 "$log_dir/configure-$1.log" "$log_dir/build-$1.log"; return 1; }
}

echo "== host: logic under ASan/UBSan"
if build host; then
    ctest --preset host -j2 2>&1 | tee "$log_dir/ctest-host.log" | grep -vE "^ +[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed" 
    count_ctest "$log_dir/ctest-host.log"
else
    failed=$((failed + 1))
fi

echo "== win32: the shipped exe"
if build win32; then
    check "win32 exe is a 32-bit GUI PE importing only system DLLs" bash scripts/check-exe.sh build/win32/bin/Pixmora.exe
else
    failed=$((failed + 1))
fi

echo "== win64: Windows side and the real program under Wine"
if build win64; then
    # The main pass on a 1920x1080 screen; tests named ...At1366x768 need a
    # smaller screen and get their own display and prefix.
    for pass in "1920x1080:-E:At1366x768" "1366x768:-R:At1366x768"; do
        IFS=: read -r size how pattern <<<"$pass"
        (
            source scripts/wine-env.sh
            trap pixmora_wine_cleanup EXIT
            pixmora_start_display "$size"
            pixmora_make_prefix
            ctest --preset win64 "$how" "$pattern" --timeout 120 2>&1
        ) | tee "$log_dir/ctest-win64-$size.log" | grep -vE "^ +[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed"
        if grep -q "No tests were found" "$log_dir/ctest-win64-$size.log"; then
            continue
        fi
        count_ctest "$log_dir/ctest-win64-$size.log"
    done
else
    failed=$((failed + 1))
fi

# ---- fuzzing ---------------------------------------------------------------
# Each libFuzzer target runs for a bounded time from its seed corpus; any crash,
# leak or sanitizer report fails it. PIXMORA_FUZZ_SECONDS sets the time per
# target (default 30 here, to keep the whole run short).
echo "== fuzz: text parsers under libFuzzer with ASan/UBSan"
if build fuzz; then
    fuzz_seconds=${PIXMORA_FUZZ_SECONDS:-30}
    for target in $(cd build/fuzz/bin && ls fuzz_*); do
        check "$target for ${fuzz_seconds}s finds nothing" bash scripts/fuzz.sh "$fuzz_seconds" "$target"
    done
else
    failed=$((failed + 1))
fi
# ---- end of fuzzing ---------------------------------------------------------

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
