#!/usr/bin/env bash
# Starts test cases that open windows back to back, as the test run does (ctest, the same Wine
# prefix, desktop and display as scripts/test.sh sets up), until COUNT cases have started, and
# counts the ones that failed. For finding faults that show only now and then, such as a case
# that starts while the previous one's windows are going away. Uses what is built.
#
# Usage: scripts/start-stress.sh [COUNT] [CTEST-REGEX]
#   COUNT        cases to start (default 2000)
#   CTEST-REGEX  the cases (default: quick cases of the window tests)
# ORV_TEST_TARGETS: the target (win64, the default, or win32). The log of every round and the
# output of failed cases: build/test-output/stress-<target>/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
. "$here/lib.sh"
. "$here/wine-env.sh"

count=${1:-2000}
regex=${2:-'^(WindowBaseTest|RealInputTest|ScreenshotTest|LayeredWindowTest|ControlStatesTest|RichEditTest)\.'}
target=${ORV_TEST_TARGETS:-win64}
case $target in win32 | win64) ;; *) die "ORV_TEST_TARGETS: one target (win32 or win64)" ;; esac
[[ $count =~ ^[0-9]+$ ]] || die "COUNT must be a number"
out=$root/build/test-output/stress-$target
rm -rf "$out"
mkdir -p "$out"

trap wine_env_stop EXIT
wine_env_start "$target"
# Listing the cases runs the test programs (their cases are found when ctest runs).
cases=$(ctest --test-dir "$root/build/$target" -N -R "$regex" | sed -n 's/^Total Tests: //p')
[ "${cases:-0}" -gt 0 ] || die "no test case matches $regex in build/$target"
export ORV_TEST_OUTPUT=$out
step "starting $count cases of $target back to back, $cases per round ($regex)"
started=0 failed=0 round=0 begin=$SECONDS
while ((started < count)); do
  round=$((round + 1))
  log=$out/round-$round.log
  ctest --test-dir "$root/build/$target" --output-on-failure --timeout 300 -R "$regex" >"$log" 2>&1 || true
  ran=$(grep -cE '^ *[0-9]+/[0-9]+ Test +#' "$log" || true)
  bad=$(grep -E '^ *[0-9]+/[0-9]+ Test +#' "$log" | grep -vcE ' Passed +[0-9.]+ sec$' || true)
  started=$((started + ran))
  failed=$((failed + bad))
  if [ "$bad" -gt 0 ]; then
    grep -E '^ *[0-9]+/[0-9]+ Test +#' "$log" | grep -vE ' Passed +[0-9.]+ sec$' | sed "s/^/  round $round: /" >&2
  else
    rm -f "$log"
  fi
  ((round % 10 == 0)) && printf '  %d started, %d failed, %d s\n' "$started" "$failed" $((SECONDS - begin)) >&2
done
printf '\n%s: %d cases started, %d failed, in %d s (%d rounds of %d)\n' "$target" "$started" "$failed" \
  $((SECONDS - begin)) "$round" "$cases" | tee "$out/result.txt"
[ "$failed" -eq 0 ]
