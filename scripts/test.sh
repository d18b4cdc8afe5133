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

trap wine_env_stop EXIT
status=0
summary=""
for t in $targets; do
  wine_env_start "$t"
  mkdir -p "$root/build/test-output/$t"
  export ORV_TEST_OUTPUT="$root/build/test-output/$t"
  step "running the $t tests"
  start=$SECONDS
  # One at a time: the programs under test use process-wide names (mutexes, window titles).
  result=passed
  ctest --test-dir "$root/build/$t" --output-on-failure --timeout 300 "$@" || { status=1; result=FAILED; }
  summary="$summary$t tests $result in $((SECONDS - start)) s"$'\n'
  wine_env_stop
done
printf '\n%s' "$summary" >&2

# The parsers of outside bytes, built natively and fuzzed a few seconds each (the whole run only).
if [ $# -eq 0 ]; then
  bash "$here/fuzz.sh" 3 || status=1
fi

step "checking the source format"
bash "$here/format.sh" --check || status=1
exit $status
