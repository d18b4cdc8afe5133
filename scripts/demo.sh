#!/usr/bin/env bash
# The whole system on this machine: the login API, web host and cashier server stand-ins on
# 127.0.0.1, and the client and updater under Wine from a fresh demo program folder (a copy of
# dist/win64 with a "Setting.ini" that points at the stand-ins). On the user's display when
# there is one, otherwise on Xvfb with screenshots. Builds what is missing first.
#
# Usage: scripts/demo.sh [--for SECONDS] [--no-build]
#   --for SECONDS  unattended: run that long once the client is up, then stop everything;
#                  exit 0 when the client came up. Without it the demo runs until Ctrl-C.
#   --no-build     use build/win64 and dist/win64 as they are
# Ports on 127.0.0.1: ORV_DEMO_LOGIN_PORT (8393), ORV_DEMO_WEB_PORT (8394),
# ORV_DEMO_CASHIER_PORT (8395). ORV_DEMO_WAIT: longest wait for the client, seconds (180).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
. "$here/lib.sh"
. "$here/wine-env.sh"

run_for="" for_given=0 build=1
while [ $# -gt 0 ]; do
  case $1 in
    --for) for_given=1; run_for=${2:-}; shift $(($# > 1 ? 2 : 1)) ;;
    --for=*) for_given=1; run_for=${1#--for=}; shift ;;
    --no-build) build=0; shift ;;
    -h | --help) sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) die "unknown argument '$1' (scripts/demo.sh --help)" ;;
  esac
done
if [ $for_given -eq 1 ]; then
  [[ $run_for =~ ^[0-9]+$ ]] || die "--for needs a whole number of seconds"
fi

login_port=${ORV_DEMO_LOGIN_PORT:-8393}
web_port=${ORV_DEMO_WEB_PORT:-8394}
cashier_port=${ORV_DEMO_CASHIER_PORT:-8395}
wait_limit=${ORV_DEMO_WAIT:-180}
wine64=/usr/lib/wine/wine64
demo=$root/build/demo
program=$demo/program
logs=$demo/logs
shots=$demo/screenshots
fixtures=$root/build/win64/fixtures
probe=$root/build/win64/tests/DevEngineProbe.exe

# Every process the demo starts carries this mark in its environment, Wine's own helpers
# included: the clean-up finds what is left by it and ends those processes by id.
export ORV_DEMO_RUN="orvanta-demo-$$-$(date +%s%N)"

say() { printf '%s\n' "$*"; }
winpath() { echo "Z:${1//\//\\}"; }

# One status line that a terminal overwrites in place; elsewhere a line now and then.
progress_last=0
progress() {
  if [ -t 1 ]; then
    printf '\r\033[K  %s' "${1:0:110}"
  elif ((SECONDS - progress_last >= 15)) || [ "${2:-}" = now ]; then
    printf '  %s\n' "$1"
    progress_last=$SECONDS
  fi
}
progress_end() { if [ -t 1 ]; then printf '\r\033[K'; fi; }

started=()     # "pid what" of each stand-in and program started here
xvfb_pid=""    # only when the demo brought its own display
demo_prefix="" # the demo's own Wine prefix, never one from the caller's environment
unset WINEPREFIX
cleanup() {
  local code=$?
  trap - EXIT INT TERM
  set +e
  progress_end
  if [ ${#started[@]} -gt 0 ] || [ -n "$demo_prefix" ] || [ -n "$xvfb_pid" ]; then
    say "==> stopping what the demo started"
    local entry
    for entry in "${started[@]}"; do kill "${entry%% *}" 2>/dev/null; done
    if [ -n "$demo_prefix" ] && [ -d "$demo_prefix" ]; then
      WINEPREFIX=$demo_prefix timeout 20 wineserver -k >/dev/null 2>&1
      WINEPREFIX=$demo_prefix timeout 20 wineserver -w >/dev/null 2>&1
    fi
    local pid left=0
    for pid in $(marked_pids); do
      [ "$pid" = "$xvfb_pid" ] && continue
      kill -9 "$pid" 2>/dev/null && left=$((left + 1))
    done
    [ $left -gt 0 ] && say "  ended $left more process(es) of this run by id"
    exec 7>&-
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
    for entry in "${started[@]}"; do wait "${entry%% *}" 2>/dev/null; done
    [ -n "$demo_prefix" ] && rm -rf "$demo_prefix"
    say "  stopped: $([ $code -eq 0 ] && echo "demo ended" || echo "exit code $code")"
  fi
  exit $code
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

marked_pids() {
  local f pid kv
  for f in /proc/[0-9]*/environ; do
    pid=${f#/proc/}
    pid=${pid%/environ}
    [ "$pid" = $$ ] && continue
    while IFS= read -r -d '' kv; do
      if [ "$kv" = "ORV_DEMO_RUN=$ORV_DEMO_RUN" ]; then echo "$pid"; break; fi
    done 2>/dev/null <"$f" || true
  done
}

port_free() {
  python3 - "$1" <<'PY' 2>/dev/null
import socket, sys
s = socket.socket()
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("127.0.0.1", int(sys.argv[1])))
PY
}

# Waits until something listens on the port; false when the process ended or time ran out.
wait_listening() { # port pid seconds
  local deadline=$((SECONDS + $3))
  while ((SECONDS < deadline)); do
    kill -0 "$2" 2>/dev/null || return 1
    if (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; then return 0; fi
    sleep 0.3
  done
  return 1
}

start_bg() { # what log command...
  local what=$1 log=$2
  shift 2
  "$@" >"$log" 2>&1 &
  started+=("$! $what")
  last_pid=$!
}

# ---- the environment -----------------------------------------------------------------------
step "checking the environment"
ensure_packages wine wine64 xvfb xauth xdotool x11-apps imagemagick fonts-wine fonts-wqy-microhei \
  locales python3
ensure_zh_locale
"$wine64" --version >/dev/null 2>&1 || die "Wine does not run here ($wine64 --version failed)"
for entry in "login API:$login_port:ORV_DEMO_LOGIN_PORT" "web host:$web_port:ORV_DEMO_WEB_PORT" \
  "cashier server:$cashier_port:ORV_DEMO_CASHIER_PORT"; do
  IFS=: read -r what port var <<<"$entry"
  [[ $port =~ ^[0-9]+$ ]] && ((port > 0 && port < 65536)) || die "$var: '$port' is not a port number"
  port_free "$port" || die "port $port on 127.0.0.1 (the $what stand-in) is in use: stop what uses it or set $var"
done

# ---- the programs --------------------------------------------------------------------------
mkdir -p "$demo"
if [ $build -eq 1 ]; then
  step "building the programs and the stand-ins (log: $demo/build.log)"
  ORV_BUILD_TARGETS=win64 ORV_BUILD_ONLY="Orvanta Pelgrix orv_devengine orv_login_stub_server CashierServer DevEngineProbe" \
    bash "$here/build.sh" >"$demo/build.log" 2>&1 &
  build_pid=$!
  started+=("$build_pid build")
  while kill -0 $build_pid 2>/dev/null; do
    line=$(tail -c 3000 "$demo/build.log" | tr '\r' '\n' | grep -E '^(\[[0-9]+/[0-9]+\]|==> )' | tail -n 1 || true)
    [ -n "$line" ] && progress "$line"
    sleep 1
  done
  progress_end
  unset 'started[-1]'
  wait $build_pid || die "the build failed: see $demo/build.log"
fi
for f in "$root/dist/win64/Orvanta.exe" "$root/dist/win64/Pelgrix.exe" "$root/dist/win64/node.dll" \
  "$fixtures/orv_login_stub.exe" "$fixtures/CashierServer.exe" "$probe"; do
  [ -f "$f" ] || die "$f is missing: run scripts/demo.sh without --no-build"
done

step "preparing the demo program folder $program"
rm -rf "$program" "$demo/cashier" "$logs" "$shots"
mkdir -p "$program" "$demo/cashier" "$logs"
cp "$root/dist/win64/Orvanta.exe" "$root/dist/win64/Pelgrix.exe" "$root/dist/win64/node.dll" "$program/"
# The venue's settings as UTF-16 with a BOM: the private-profile functions then read the
# Chinese venue name whatever the code page.
{
  printf '\xff\xfe'
  sed -e "s/@LOGIN_PORT@/$login_port/g" -e "s/@WEB_PORT@/$web_port/g" "$root/demo/venue/Setting.ini" \
    | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE
} >"$program/Setting.ini"
sed "s/@CASHIER_PORT@/$cashier_port/g" "$root/demo/venue/login-reply.json" >"$demo/login-reply.json"
# The demo update: the program folder holds version 1.0.0.1 of a file, the cashier 1.0.0.2.
cp "$root/demo/update/demo-notice.old.txt" "$program/demo-notice.txt"
printf '<?xml version="1.0" encoding="utf-8"?>\r\n<AutoUpdater><Files><File Ver="1.0.0.1" Name="demo-notice.txt"/></Files></AutoUpdater>\r\n' \
  >"$program/UpdateList.xml"
cp "$root/demo/update/demo-notice.txt" "$demo/cashier/demo-notice.txt"
size=$(stat -c %s "$demo/cashier/demo-notice.txt")
printf '<?xml version="1.0" encoding="utf-8"?>\r\n<AutoUpdater><Files><File Ver="1.0.0.2" Name="demo-notice.txt" Size="%s"/></Files></AutoUpdater>\r\n' \
  "$size" >"$demo/cashier/UpdateList.xml"

# ---- display and Wine ----------------------------------------------------------------------
if [ -n "${DISPLAY:-}" ] && timeout 5 xdotool getdisplaygeometry >/dev/null 2>&1; then
  on_xvfb=0
  step "showing the demo on the display $DISPLAY"
else
  on_xvfb=1
  wine_xvfb_start
  xvfb_pid=$ORV_XVFB_PID
  mkdir -p "$shots"
  step "no display: the demo runs on Xvfb $DISPLAY, screenshots go to $shots"
fi
# The prefix's path is known only inside wine_prefix_start: keep it as soon as it exists.
wine_prefix_start win64
demo_prefix=$WINEPREFIX

shot_count=0
screenshot() { # name
  [ $on_xvfb -eq 1 ] || return 0
  shot_count=$((shot_count + 1))
  local file
  file=$(printf '%s/%02d-%s.png' "$shots" "$shot_count" "$1")
  xwd -root -silent -display "$DISPLAY" 2>/dev/null | /usr/bin/convert xwd:- "png:$file" 2>/dev/null \
    && say "  screenshot $file"
  return 0
}

# ---- the stand-ins ---------------------------------------------------------------------------
step "starting the stand-ins on 127.0.0.1"
start_bg "login API stand-in" "$logs/login.log" \
  "$wine64" "$fixtures/orv_login_stub.exe" "$login_port" "$(winpath "$demo/login-reply.json")"
wait_listening "$login_port" "$last_pid" 60 || die "the login API stand-in did not start: see $logs/login.log"
say "  login API      http://127.0.0.1:$login_port/api/client/clientLogin   (pid $last_pid, log $logs/login.log)"

start_bg "web host stand-in" "$logs/webhost.log" python3 "$root/demo/webhost.py" "$root/demo/pages" "$web_port"
wait_listening "$web_port" "$last_pid" 20 || die "the web host stand-in did not start: see $logs/webhost.log"
say "  web host       http://127.0.0.1:$web_port/shop/ and /call /message /karaoke   (pid $last_pid, pages $root/demo/pages)"

# The cashier stand-in serves until its input ends: a FIFO the demo holds open.
rm -f "$demo/cashier.in"
mkfifo "$demo/cashier.in"
exec 7<>"$demo/cashier.in"
"$wine64" "$fixtures/CashierServer.exe" "$(winpath "$demo/cashier")" "$cashier_port" <&7 >"$logs/cashier.log" 2>&1 &
last_pid=$!
started+=("$last_pid cashier server stand-in")
wait_listening "$cashier_port" "$last_pid" 60 || die "the cashier server stand-in did not start: see $logs/cashier.log"
say "  cashier server 127.0.0.1:$cashier_port offering demo-notice.txt 1.0.0.2   (pid $last_pid, folder $demo/cashier)"

# ---- the client ----------------------------------------------------------------------------
step "starting the client"
say "  program folder $program"
say "  client log     $program/log/$(date +%Y-%m-%d).log"
say "  Wine prefix    $WINEPREFIX (display $DISPLAY)"
say "  run mark       ORV_DEMO_RUN=$ORV_DEMO_RUN"
(cd "$program" && exec env LC_ALL=zh_CN.UTF-8 "$wine64" "$program/Orvanta.exe" >"$logs/client.log" 2>&1) &
started+=("$! client")

shop_status=""
query_shop() { # the shop view's status, empty when there is none
  shop_status=$(timeout 20 "$wine64" "$probe" --url /shop/ status 2>/dev/null | tr -d '\r' || true)
}
status_value() { sed -n "s/^$1=//p" <<<"$shop_status" | head -n 1; }

deadline=$((SECONDS + wait_limit))
begun=$SECONDS
seen_login=0 seen_update=0 seen_view=0 up=0
while ((SECONDS < deadline)); do
  if [ $seen_login -eq 0 ] && grep -q '^POST /api/client/clientLogin' "$logs/login.log" 2>/dev/null; then
    seen_login=1
    progress_end
    say "  the client logged in at the login API stand-in"
  fi
  if [ $seen_update -eq 0 ] && cmp -s "$program/demo-notice.txt" "$demo/cashier/demo-notice.txt"; then
    seen_update=1
    progress_end
    say "  the updater fetched the demo update from the cashier stand-in (demo-notice.txt 1.0.0.2)"
  fi
  query_shop
  if [ -n "$shop_status" ]; then
    if [ $seen_view -eq 0 ]; then
      seen_view=1
      progress_end
      say "  the shop view exists: $(status_value url | cut -c1-100)..."
    fi
    ready=$(status_value ready)
    if [ "$(status_value state)" = loaded ] && [ "${ready:-0}" -ge 1 ] && [ "$(status_value visible)" = 1 ]; then
      up=1
      break
    fi
  fi
  progress "waiting for the main frame with the shop page ready ($((SECONDS - begun)) s)"
  sleep 1
done
progress_end
if [ $up -ne 1 ]; then
  screenshot not-up
  die "the client did not come up within $wait_limit s (the main frame showing the shop page): see $program/log and $logs"
fi
say ""
say "The client is up after $((SECONDS - begun)) s: the main frame shows \"$(status_value title)\"."
say "  shop page  $(status_value url)"
screenshot shop

if [ -n "$run_for" ]; then
  say "Running unattended for $run_for s."
  end=$((SECONDS + run_for))
  next_shot=$((SECONDS + 15))
  while ((SECONDS < end)); do
    sleep 1
    if ((SECONDS >= next_shot)); then screenshot running; next_shot=$((SECONDS + 15)); fi
  done
  query_shop
  [ -n "$shop_status" ] || say "  note: the shop view no longer answers at the end"
  screenshot end
  exit 0
fi
say "Use the tool strip, the logo and the pages' buttons. Ctrl-C stops the demo."
next_shot=$((SECONDS + 30))
while true; do
  sleep 1
  if [ $on_xvfb -eq 1 ] && ((SECONDS >= next_shot)); then screenshot running; next_shot=$((SECONDS + 30)); fi
done
