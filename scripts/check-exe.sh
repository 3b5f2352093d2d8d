#!/usr/bin/env bash
# Static checks of the shipped exe: a 32-bit GUI PE that imports nothing but
# Windows' own DLLs.
set -euo pipefail
exe=$1
kind=$(file -b "$exe")
case "$kind" in
    "PE32 executable (GUI) Intel 80386"*) ;;
    *) echo "check-exe: $exe is '$kind', not a 32-bit GUI PE" >&2; exit 1 ;;
esac
system_dlls='^(kernel32|user32|gdi32|advapi32|comctl32|uxtheme|msvcrt|shell32|ole32|msimg32)\.dll$'
bad=0
while read -r dll; do
    if ! grep -qiE "$system_dlls" <<<"$dll"; then
        echo "check-exe: $exe imports $dll, which is not a Windows system DLL" >&2
        bad=1
    fi
done < <(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
size=$(stat -c %s "$exe")
echo "check-exe: $exe: $kind, $size bytes, imports: $(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')"
exit $bad
