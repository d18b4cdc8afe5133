#!/usr/bin/env bash
# Builds and runs the updater benchmark under Wine: the 64-bit Pelgrix.exe against the cashier
# stand-in on loopback, beside a plain socket client.
#
# Usage: bench/updater/run.sh   (after scripts/build.sh has configured build/win64)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$root/scripts/lib.sh"
. "$root/scripts/wine-env.sh"

[ -f "$root/build/win64/build.ninja" ] || die "build/win64 is not configured: run scripts/build.sh first"
step "building the benchmark"
cmake --build "$root/build/win64" --target updater_bench Pelgrix -j 2 >/dev/null

trap wine_env_stop EXIT
wine_env_start
step "running the updater benchmark"
/usr/lib/wine/wine64 "$(winepath_w "$root/build/win64/bench/updater_bench.exe")" \
  "$(winepath_w "$root/dist/win64/Pelgrix.exe")"
