#!/usr/bin/env bash
# Builds and runs the client start benchmark under Wine: the 64-bit Orvanta.exe in its start mode
# from the cache (development engine, shop page from a web host on loopback) until the main frame
# shows with its page ready, against a program that shows one empty window; and the client's
# private memory after start.
#
# Usage: bench/client/run.sh [runs]   (after scripts/build.sh has configured build/win64)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$root/scripts/lib.sh"
. "$root/scripts/wine-env.sh"

runs=${1:-11}
[ -f "$root/build/win64/build.ninja" ] || die "build/win64 is not configured: run scripts/build.sh first"
step "building the benchmark"
cmake --build "$root/build/win64" --target client_bench orv_bench_empty_window Orvanta orv_devengine -j 2 >/dev/null

trap wine_env_stop EXIT
wine_env_start
step "running the client start benchmark ($runs runs each)"
LC_ALL=zh_CN.UTF-8 /usr/lib/wine/wine64 "$(winepath_w "$root/build/win64/bench/client_bench.exe")" \
  "$(winepath_w "$root/dist/win64")" "$(winepath_w "$root/build/win64/bench/orv_bench_empty_window.exe")" "$runs"
