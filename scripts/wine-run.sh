#!/usr/bin/env bash
# Runs a 64-bit Windows program under Wine in the prefix and display that scripts/wine-env.sh
# prepared (ctest's emulator). Passes the program's exit code through.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
: "${WINEPREFIX:?WINEPREFIX is not set: run the tests through scripts/test.sh}"
exec /usr/lib/wine/wine64 "$@"
