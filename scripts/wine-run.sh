#!/usr/bin/env bash
# Runs a Windows program under Wine in the prefix and display that scripts/wine-env.sh
# prepared (ctest's emulator). Passes the program's exit code through.
# Usage: wine-run.sh win32|win64 program [args...]
# win32 programs start with Wine's 32-bit loader, which runs under qemu-i386 through the
# binfmt handler that scripts/win32-runtime.sh registers.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
: "${WINEPREFIX:?WINEPREFIX is not set: run the tests through scripts/test.sh}"
case ${1:-} in
  win32) shift; exec /usr/lib/wine/wine "$@" ;;
  win64) shift; exec /usr/lib/wine/wine64 "$@" ;;
  *) echo "usage: wine-run.sh win32|win64 program [args...]" >&2; exit 2 ;;
esac
