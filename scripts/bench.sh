#!/usr/bin/env bash
# Measures Pixmora's footprint against a bare window from the same build: the
# shipped 32-bit exe's size, and for the 64-bit build under Wine the start-up
# time, the time from a quick-set click to its notice and the peak working
# set. Runs in a throwaway Wine prefix on its own 1920x1080 virtual screen.
# Arguments go to measure.exe (for example --runs 31 --clicks 31).
# Prints figures and ratios; nothing here passes or fails on a time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh
for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target Pixmora PixmoraBare >/dev/null
done
cmake --build --preset win64 --target measure >/dev/null

(
    source scripts/wine-env.sh
    trap pixmora_wine_cleanup EXIT
    pixmora_start_display 1920x1080
    pixmora_make_prefix
    echo "$(wine --version 2>/dev/null), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
    wine build/win64/bin/measure.exe \
        --shipped "$(winepath -w build/win32/bin/Pixmora.exe 2>/dev/null)" \
        --shipped-bare "$(winepath -w build/win32/bin/PixmoraBare.exe 2>/dev/null)" "$@"
)
