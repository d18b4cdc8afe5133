#!/usr/bin/env bash
# Builds both targets and runs every test: the 64-bit test programs under Wine with an Xvfb
# display, then the source format check. Installs what is missing first.
#
# Usage: scripts/test.sh [ctest arguments, e.g. -R Logger]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
. "$here/lib.sh"
. "$here/wine-env.sh"

ensure_packages wine wine64 xvfb xauth xdotool x11-apps imagemagick fonts-wine fonts-wqy-microhei \
  locales python3 clang-format
# Code page 936 for the processes that need it (LC_ALL=zh_CN.UTF-8).
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  step "generating the zh_CN.UTF-8 locale"
  sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  locale-gen >/dev/null || die "locale-gen failed"
fi

bash "$here/build.sh"
bash "$here/check-dist.sh"

trap wine_env_stop EXIT
wine_env_start
mkdir -p "$root/build/test-output"
export ORV_TEST_OUTPUT="$root/build/test-output"

step "running the tests"
# One at a time: the programs under test use process-wide names (mutexes, window titles).
status=0
ctest --test-dir "$root/build/win64" --output-on-failure --timeout 300 "$@" || status=$?

# The parsers of outside bytes, built natively and fuzzed a few seconds each (the whole run only).
if [ $# -eq 0 ]; then
  bash "$here/fuzz.sh" 3 || status=1
fi

step "checking the source format"
bash "$here/format.sh" --check || status=1
exit $status
