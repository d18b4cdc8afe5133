#!/usr/bin/env bash
# Builds the fuzz targets of the parsers natively (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each of them, seeded from the tests' cases and the skin's
# files. The corpus grows in ORVANTA_FUZZ_CACHE (default /var/cache/orvanta-fuzz), outside the
# clone; crashing and hanging inputs are saved there too. Exits non-zero when a target finds a
# crash, a leak or a hang.
#
# Usage: scripts/fuzz.sh [SECONDS]         each target runs that long (default 5)
#        scripts/fuzz.sh --runs N          each target runs N inputs (with SECONDS too: whichever
#                                          comes first)
#        scripts/fuzz.sh ... TARGET...     only these targets (manifest, version, login_reply,
#                                          settings, page_address, skin_package, values, layout)
# ORV_FUZZ_TIMEOUT: seconds one input may take before it counts as a hang (default 10). The
# limit is wall-clock time: on a machine busy with other work, raise it for long runs, or an
# input that merely waited for the processor is reported as a hang.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
. "$here/lib.sh"

seconds=
runs=
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) [[ "${2:-}" =~ ^[0-9]+$ ]] || die "--runs needs a number"; runs=$2; shift 2 ;;
    [0-9]*) [[ "$1" =~ ^[0-9]+$ ]] || die "not a number of seconds: $1"; seconds=$1; shift ;;
    *) targets+=("$1"); shift ;;
  esac
done
[ -n "$seconds$runs" ] || seconds=5
limit=()
[ -z "$seconds" ] || limit+=(-max_total_time="$seconds")
[ -z "$runs" ] || limit+=(-runs="$runs")
[ ${#targets[@]} -gt 0 ] || targets=(manifest version login_reply settings page_address skin_package values layout)

ensure_packages clang-14 libclang-rt-14-dev cmake ninja-build pkg-config python3 \
  libtinyxml2-dev libjsoncpp-dev zlib1g-dev

cache=${ORVANTA_FUZZ_CACHE:-/var/cache/orvanta-fuzz}
build="$root/build/fuzz"
step "building the fuzz targets"
CC=clang-14 CXX=clang++-14 cmake -S "$root/tests/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  >/dev/null || die "configuring the fuzz targets failed"
cmake --build "$build" || die "building the fuzz targets failed"

mkdir -p "$cache"
seeds=$(mktemp -d "$cache/seeds.XXXXXX")
trap 'rm -rf "$seeds"' EXIT
python3 "$root/tests/fuzz/make-seeds.py" "$root" "$seeds" || die "writing the seeds failed"

status=0
for target in "${targets[@]}"; do
  program="$build/fuzz_$target"
  [ -x "$program" ] || die "no fuzz target $target"
  corpus="$cache/corpus/$target"
  findings="$cache/findings/$target"
  mkdir -p "$corpus" "$findings" "$seeds/$target"
  dict=()
  [ -f "$root/tests/fuzz/dict/$target.dict" ] && dict=(-dict="$root/tests/fuzz/dict/$target.dict")
  # Inputs up to 64 KiB; the skin package up to 128 KiB, so that the packed skin seeds it whole.
  maxlen=65536
  [ "$target" != skin_package ] || maxlen=131072
  log="$cache/$target.log"
  step "fuzzing $target (${limit[*]})"
  # A hang is an input that takes over 10 s.
  if "$program" "${limit[@]}" "${dict[@]}" -timeout="${ORV_FUZZ_TIMEOUT:-10}" -rss_limit_mb=2048 -max_len=$maxlen \
      -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "$seeds/$target" >"$log" 2>&1; then
    grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::average_exec_per_sec)' "$log" >&2 || true
  else
    status=1
    tail -n 40 "$log" >&2
    printf '%s: FAILED; the input is under %s, the log in %s\n' "$target" "$findings" "$log" >&2
  fi
done
exit $status
