#!/usr/bin/env bash
# scripts/demo.sh as a person without a display or a CI job runs it, on free ports:
#   Unattended   --for: the main frame comes up with the shop page ready (the development
#                engine's status), screenshots are written, exit 0, and afterwards no process
#                of the run is left (Wine, Xvfb, stand-ins) and the ports are free again
#   PortInUse    a stand-in's port taken: one clear line, non-zero exit, nothing started
#   NoWine       Wine missing and not installable: one clear line, non-zero exit
#   BadArgument  --for without a number: one clear line, non-zero exit
#   BuildFailure the build fails: one clear line naming the build log, non-zero exit
# Usage: demo-test.sh <case> <source folder>
set -euo pipefail
case_name=$1
root=$2
out=$(mktemp)
holder=""
trap 'rm -f "$out"; [ -n "$holder" ] && kill "$holder" 2>/dev/null; rm -rf "${stubs:-/nonexistent}"; true' EXIT

fail() {
  echo "FAIL: $*"
  echo "---- demo output ----"
  cat "$out"
  exit 1
}
read -r login_port web_port cashier_port < <(python3 - <<'PY'
import socket
socks = [socket.socket() for _ in range(3)]
for s in socks:
    s.bind(("127.0.0.1", 0))
print(*[s.getsockname()[1] for s in socks])
PY
)
run_demo() { # demo arguments...; the exit code in $rc, the output in $out
  set +e
  env -u WINEPREFIX DISPLAY= ORV_DEMO_LOGIN_PORT="$login_port" ORV_DEMO_WEB_PORT="$web_port" \
    ORV_DEMO_CASHIER_PORT="$cashier_port" ORV_DEMO_WAIT=180 PATH="${demo_path:-$PATH}" \
    timeout 360 bash "${demo_root:-$root}/scripts/demo.sh" "$@" >"$out" 2>&1
  rc=$?
  set -e
}
# The one line a refusal prints: "ERROR: ..." and nothing started.
expect_refusal() { # pattern
  [ "$rc" -ne 0 ] || fail "exit code 0"
  [ "$(grep -c '^ERROR: ' "$out")" -eq 1 ] || fail "not exactly one ERROR line"
  grep -q "^ERROR: .*$1" "$out" || fail "the ERROR line does not say: $1"
  ! grep -q 'starting the stand-ins' "$out" || fail "stand-ins were started"
}
mark_left() { # pids whose environment carries the mark
  local f pid kv
  for f in /proc/[0-9]*/environ; do
    pid=${f#/proc/}
    pid=${pid%/environ}
    while IFS= read -r -d '' kv; do
      [ "$kv" = "ORV_DEMO_RUN=$1" ] && echo "$pid" && break
    done 2>/dev/null <"$f" || true
  done
}

case $case_name in
  Unattended)
    run_demo --for 5 --no-build
    [ "$rc" -eq 0 ] || fail "exit code $rc"
    grep -q '^The client is up after' "$out" || fail "the client did not come up"
    grep -q 'the updater fetched the demo update' "$out" || fail "the demo update was not applied"
    mark=$(sed -n 's/^ *run mark *ORV_DEMO_RUN=//p' "$out")
    [ -n "$mark" ] || fail "no run mark printed"
    shots=$(sed -n 's/.*screenshots go to //p' "$out")
    [ -n "$(find "$shots" -name '*-shop.png' 2>/dev/null)" ] || fail "no screenshot of the shop in '$shots'"
    left=$(mark_left "$mark")
    [ -z "$left" ] || fail "processes of the run left: $(ps -o pid=,args= -p "${left//$'\n'/,}")"
    for port in "$login_port" "$web_port" "$cashier_port"; do
      if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then fail "port $port still answers"; fi
    done
    if [ -n "${ORV_TEST_OUTPUT:-}" ]; then cp "$shots"/*.png "$ORV_TEST_OUTPUT/" 2>/dev/null || true; fi
    ;;
  PortInUse)
    python3 -c 'import socket,sys,time; s=socket.socket(); s.bind(("127.0.0.1",int(sys.argv[1]))); s.listen(); time.sleep(300)' \
      "$web_port" &
    holder=$!
    for _ in $(seq 50); do (exec 3<>"/dev/tcp/127.0.0.1/$web_port") 2>/dev/null && break; sleep 0.1; done
    run_demo --for 1 --no-build
    expect_refusal "port $web_port .* is in use"
    ;;
  NoWine)
    # Wine not installed, and no right to install it.
    stubs=$(mktemp -d)
    printf '#!/bin/sh\ncase "$*" in *wine*) exit 1 ;; esac\nexec /usr/bin/dpkg-query "$@"\n' >"$stubs/dpkg-query"
    printf '#!/bin/sh\n[ "$1" = -u ] && { echo 1000; exit 0; }\nexec /usr/bin/id "$@"\n' >"$stubs/id"
    chmod +x "$stubs"/*
    demo_path="$stubs:$PATH"
    run_demo --for 1 --no-build
    expect_refusal "missing .*wine"
    ;;
  BuildFailure)
    stubs=$(mktemp -d)
    printf '#!/bin/sh\necho "stand-in cmake: failing on purpose" >&2\nexit 1\n' >"$stubs/cmake"
    chmod +x "$stubs/cmake"
    demo_path="$stubs:$PATH"
    # A clone of its own (the sources linked, no build folder): the failing build writes its
    # logs there, not into the build that the other tests use.
    demo_root="$stubs/clone"
    mkdir "$demo_root"
    for entry in "$root"/* "$root"/.[!.]*; do
      case ${entry##*/} in build | dist) ;; *) ln -s "$entry" "$demo_root/${entry##*/}" ;; esac
    done
    run_demo --for 1
    expect_refusal "the build failed: see .*build.log"
    ;;
  BadArgument)
    run_demo --for soon
    expect_refusal "--for needs a whole number"
    ;;
  *) fail "unknown case $case_name" ;;
esac
echo "PASS: $case_name"
