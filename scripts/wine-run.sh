#!/usr/bin/env bash
# Runs a Windows test exe under 64-bit Wine. The prefix and display come from
# the environment that scripts/test.sh sets up; refuse to run without a
# throwaway prefix so that no test ever touches a real one.
set -eu
if [ -z "${PIXMORA_TEST_PREFIX:-}" ] || [ "${WINEPREFIX:-}" != "$PIXMORA_TEST_PREFIX" ]; then
    echo "wine-run.sh: run through scripts/test.sh, which makes a throwaway WINEPREFIX" >&2
    exit 1
fi
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"
