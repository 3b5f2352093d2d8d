#!/usr/bin/env bash
# Installs, from Debian/Ubuntu packages, whatever building and testing Pixmora
# needs and the machine lacks. Does nothing when all is there.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev googletest
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
    wine wine64 xvfb xauth fonts-wqy-microhei xdotool imagemagick file
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# A 32-bit Wine cannot run on these kernels, and with it present `wine` picks it.
if dpkg-query -W -f='${Status}' wine32 2>/dev/null | grep -q "install ok installed"; then
    echo "install-deps: wine32 is installed; remove it (apt-get remove wine32) so that 'wine' runs 64-bit" >&2
fi
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "install-deps: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
