#!/usr/bin/env bash
# Builds and runs the toolkit benchmark under Wine: the imaging library's start, then each of the
# eight windows' first build (tree, layout, images) and its median, in a fresh process each time.
# Prints each process's report and the median over the processes of the first builds' sum.
#
# Usage: bench/toolkit/run.sh [processes]   (after scripts/build.sh has configured build/win64)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$root/scripts/lib.sh"
. "$root/scripts/wine-env.sh"

processes=${1:-7}
[ -f "$root/build/win64/build.ninja" ] || die "build/win64 is not configured: run scripts/build.sh first"
step "building the benchmark"
cmake --build "$root/build/win64" --target orv_toolkit_bench -j 2 >/dev/null

trap wine_env_stop EXIT
wine_env_start
exe=$(winepath_w "$root/build/win64/bench/orv_toolkit_bench.exe")
# One start not counted: the first start of a program under Wine loads its DLLs from disk.
/usr/lib/wine/wine64 "$exe" 1 >/dev/null
step "running the toolkit benchmark ($processes processes)"
sums=() starts=()
for i in $(seq "$processes"); do
  out=$(/usr/lib/wine/wine64 "$exe" 200 | tr -d '\r')
  echo "$out"
  sums+=("$(sed -n 's/^all eight windows, sum of firsts: \([0-9.]*\) us$/\1/p' <<<"$out")")
  starts+=("$(sed -n 's/^imaging library start: \([0-9.]*\) us .*/\1/p' <<<"$out")")
done
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }
printf 'imaging library start: median %.1f ms over %d processes\n' "$(median "${starts[@]}" | awk '{print $1/1000}')" "$processes"
printf 'cold skin cost without it (sum of the eight first builds): median %.1f ms over %d processes\n' \
  "$(median "${sums[@]}" | awk '{print $1/1000}')" "$processes"
