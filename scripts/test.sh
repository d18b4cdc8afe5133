#!/usr/bin/env bash
# Builds both targets and runs every test under Wine with an Xvfb display: the 64-bit test
# programs, then the 32-bit ones (the release's machine type) under qemu's user-mode
# emulator; then the source format check. Installs what is missing first.
#
# Usage: scripts/test.sh [ctest arguments, e.g. -R Logger]
# ORV_TEST_TARGETS="win64" (or "win32") runs one target's tests only; the default is both.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
. "$here/lib.sh"
. "$here/wine-env.sh"

targets=${ORV_TEST_TARGETS:-win64 win32}
for t in $targets; do
  case $t in win32 | win64) ;; *) die "ORV_TEST_TARGETS: unknown target $t (win32, win64)" ;; esac
done

ensure_packages wine wine64 xvfb xauth xdotool x11-apps imagemagick fonts-wine fonts-wqy-microhei \
  locales python3 clang-format
ensure_zh_locale
if [[ " $targets " == *" win32 "* ]]; then
  step "preparing the 32-bit side: wine32, qemu-i386, binfmt handler"
  cache=${ORVANTA_DEPS_CACHE:-/var/cache/orvanta-deps}
  mkdir -p "$cache"
  # Several clones may share the machine: one set-up at a time.
  flock "$cache/.win32-runtime.lock" bash "$here/win32-runtime.sh" >/dev/null
fi

ORV_BUILD_TARGETS=$targets bash "$here/build.sh"
bash "$here/check-dist.sh"

# The targets' suites run at the same time, each in a subshell with its own prefix, wineserver,
# desktop and display (wine_env_start exports them), each writing its own log; within a target,
# one case at a time: the programs under test use process-wide names (mutexes, window titles).
run_target() { # target ctest-arguments...
  local t=$1 out="$root/build/test-output/$1"
  shift
  rm -rf "$out"
  mkdir -p "$out"
  (
    trap wine_env_stop EXIT
    start=$SECONDS
    wine_env_start "$t"
    export ORV_TEST_OUTPUT="$out"
    step "running the $t tests"
    rc=0
    ctest --test-dir "$root/build/$t" --output-on-failure --timeout 300 "$@" || rc=$?
    echo "$rc $((SECONDS - start))" >"$out/ctest.result"
    exit "$rc"
  ) >"$out/ctest.log" 2>&1
}

# The cases of a target that did not pass, with their output, from its log.
failed_cases() { # log
  awk '/^ *Start +[0-9]+: / { keep = 0 }
       /^ *[0-9]+\/[0-9]+ Test +#[0-9]+: / { keep = ($0 !~ / Passed +[0-9.]+ sec$/) }
       keep' "$1"
}

pids=()
for t in $targets; do
  run_target "$t" "$@" &
  pids+=($!)
done
if [ ${#pids[@]} -gt 1 ]; then
  step "running the $(echo $targets | sed 's/ / and /') tests at the same time (logs: build/test-output/<target>/ctest.log)"
else
  step "running the $targets tests (log: build/test-output/$targets/ctest.log)"
fi
# A line now and then while they run: how far each target is.
last=$SECONDS
while :; do
  running=0
  for p in "${pids[@]}"; do kill -0 "$p" 2>/dev/null && running=1; done
  [ $running -eq 1 ] || break
  sleep 1
  ((SECONDS - last >= 30)) || continue
  last=$SECONDS line=""
  for t in $targets; do
    done_line=$(grep -E '^ *[0-9]+/[0-9]+ Test +#' "$root/build/test-output/$t/ctest.log" 2>/dev/null | tail -n 1 \
      | sed -E 's/^ *([0-9]+\/[0-9]+).*/\1/' || true)
    line="$line  $t ${done_line:-starting}"
  done
  printf '  %s\n' "${line# }" >&2
done
status=0
for p in "${pids[@]}"; do wait "$p" || status=1; done

summary=""
for t in $targets; do
  log="$root/build/test-output/$t/ctest.log"
  read -r rc seconds <"$root/build/test-output/$t/ctest.result" 2>/dev/null || { rc=1; seconds=?; }
  result=passed
  [ "$rc" -eq 0 ] || { result=FAILED; status=1; }
  step "the $t tests: $result (log: $log)"
  failed_cases "$log"
  # ctest's closing lines: "N% tests passed, N tests failed out of M", the time, the failures.
  sed -n '/% tests passed, /,$p' "$log"
  grep -q '% tests passed, ' "$log" || tail -n 20 "$log"
  summary="$summary$t tests $result in $seconds s"$'\n'
done
printf '\n%s' "$summary" >&2

# The parsers of outside bytes, built natively and fuzzed a few seconds each (the whole run only).
if [ $# -eq 0 ]; then
  bash "$here/fuzz.sh" 3 || status=1
fi

step "checking the source format"
bash "$here/format.sh" --check || status=1
exit $status
