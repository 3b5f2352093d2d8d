#!/usr/bin/env bash
# Builds Pixmora and starts it. On Linux it runs under Wine in your own
# WINEPREFIX (default ~/.wine), so a game run in that prefix sees what you set.
# With no DISPLAY it starts a virtual screen, waits for the window, saves a
# screenshot under build/ and closes the program again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh
for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" >/dev/null
done
echo "Built: build/win32/bin/Pixmora.exe (the 32-bit exe to ship), build/win64/bin/Pixmora.exe (runs here)"

export WINEDEBUG=${WINEDEBUG:--all}
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine}
exe="$root/build/win64/bin/Pixmora.exe"

# No display: show the program on a virtual screen and take its picture. The
# screen must exist before the first Wine process, which the wineserver keeps.
headless=""
if [ -z "${DISPLAY:-}" ]; then
    headless=1
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb=$!
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
    trap 'kill "$xvfb" 2>/dev/null || true' EXIT
fi

if [ ! -d "$WINEPREFIX" ]; then
    echo "Making the Wine prefix $WINEPREFIX (first run only)..."
    WINEDLLOVERRIDES="mscoree,mshtml=" wine wineboot -i >/dev/null 2>&1
fi
# Chinese texts need a CJK font behind Windows' dialog font names. Only fill
# in what the prefix has not chosen itself.
replacements='HKCU\Software\Wine\Fonts\Replacements'
for font in 'MS Shell Dlg' 'MS Shell Dlg 2' 'Tahoma' 'SimSun'; do
    if ! wine reg query "$replacements" /v "$font" >/dev/null 2>&1; then
        wine reg add "$replacements" /v "$font" /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
    fi
done

if [ -z "$headless" ]; then
    exec wine "$exe"
fi

# Without a window manager Wine draws the title bar itself; set that for
# Pixmora.exe alone and only for this run.
appkey='HKCU\Software\Wine\AppDefaults\Pixmora.exe\X11 Driver'
wine reg add "$appkey" /v Decorated /d N /f >/dev/null 2>&1
wine reg add "$appkey" /v Managed /d N /f >/dev/null 2>&1
cleanup() {
    wine reg delete 'HKCU\Software\Wine\AppDefaults\Pixmora.exe' /f >/dev/null 2>&1 || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

wine "$exe" &
app=$!
window=""
for _ in $(seq 1 100); do
    window=$(xdotool search --name '^Pixmora$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.2
done
if [ -z "$window" ]; then
    echo "Pixmora's window did not appear" >&2
    exit 1
fi
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
shot="$root/build/screenshot.png"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
wine taskkill /im Pixmora.exe >/dev/null 2>&1 || kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
echo "No display here: Pixmora ran on a virtual screen. Its window: $shot"
