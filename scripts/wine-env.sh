# Sourced by the scripts that run Pixmora or its tests under Wine.
# pixmora_start_display WxH   starts a private Xvfb and exports DISPLAY
# pixmora_make_prefix         makes a throwaway WINEPREFIX and exports it
# pixmora_prepare_prefix      sets fonts and window drawing in $WINEPREFIX
# pixmora_wine_cleanup        ends the wineserver, the display, the prefix

export WINEDEBUG=-all
# No Mono or Gecko prompts while a prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="

_pixmora_xvfb_pid=""
_pixmora_prefix=""

pixmora_start_display() {
    local size=${1:-1920x1080}
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    _pixmora_xvfb_pid=$!
    local number
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
}

pixmora_prepare_prefix() {
    wine wineboot -i >/dev/null 2>&1
    local key='HKCU\Software\Wine\Fonts\Replacements'
    local font
    for font in 'MS Shell Dlg' 'MS Shell Dlg 2' 'Tahoma' 'SimSun' 'Microsoft YaHei' 'Segoe UI'; do
        wine reg add "$key" /v "$font" /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
    done
    # With no window manager, Wine draws the title bar itself, as Windows does.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
}

pixmora_make_prefix() {
    _pixmora_prefix=$(mktemp -d /tmp/pixmora-prefix.XXXXXX)
    export WINEPREFIX="$_pixmora_prefix"
    # The test exes refuse to run in any other prefix.
    export PIXMORA_TEST_PREFIX="$_pixmora_prefix"
    pixmora_prepare_prefix
}

pixmora_wine_cleanup() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    if [ -n "$_pixmora_xvfb_pid" ]; then
        kill "$_pixmora_xvfb_pid" >/dev/null 2>&1 || true
        wait "$_pixmora_xvfb_pid" 2>/dev/null || true
        _pixmora_xvfb_pid=""
    fi
    if [ -n "$_pixmora_prefix" ]; then
        rm -rf "$_pixmora_prefix"
        _pixmora_prefix=""
    fi
}
