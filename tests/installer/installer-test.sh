#!/usr/bin/env bash
# The venue installer under wine64, in the test run's prefix and display:
#  1. a silent install into a chosen folder puts the two programs, the
#     settings example, the uninstaller, the start-up entry and the uninstall entry in place,
#     and no node.dll;
#  2. the installed client starts (with an engine beside it, as the venue adds one) and shows
#     its login dialog;
#  3. the silent uninstaller removes the programs and what the updater leaves, and keeps the
#     venue's data ("Setting.ini", "User.db", "log\", "image\");
#  4. a second install without the start-up entry, then a silent uninstall asked to remove the
#     venue's data, leaves no folder at all.
# Usage: installer-test.sh <setup.exe> <program folder with node.dll>
set -euo pipefail
setup=$1
dist=$2
: "${WINEPREFIX:?run through scripts/test.sh}"
wine=/usr/lib/wine/wine64
folder_win='C:\VenueApps\Orvanta'
folder="$WINEPREFIX/drive_c/VenueApps/Orvanta"
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanta'
client_pid=""

fail() {
  echo "FAIL: $*"
  exit 1
}
cleanup() {
  [ -n "$client_pid" ] && kill "$client_pid" 2>/dev/null
  rm -rf "$WINEPREFIX/drive_c/VenueApps"
  return 0
}
trap cleanup EXIT

# Polls until the command succeeds; fails the test after the bound.
wait_for() { # seconds what command...
  local bound=$1 what=$2 deadline=$((SECONDS + $1))
  shift 2
  until "$@"; do
    ((SECONDS < deadline)) || fail "$what: not within $bound s"
    sleep 0.5
  done
}
reg_value() { # key name: the value's data, empty when absent
  $wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
gone() { [ ! -e "$1" ]; }
expect_files() { # present|absent names...
  local want=$1 name
  shift
  for name in "$@"; do
    if [ "$want" = present ]; then [ -e "$folder/$name" ] || fail "$name missing in the install folder"; fi
    if [ "$want" = absent ]; then [ ! -e "$folder/$name" ] || fail "$name should not be in the install folder"; fi
  done
}
install() { # extra options...
  [ -f "$setup" ] || fail "no installer at $setup"
  timeout 120 $wine "$setup" /S "$@" "/D=$folder_win" || fail "the silent install ended with $?"
  wait_for 30 "the install" test -f "$folder/Uninstall.exe"
}
uninstall() { # extra options...
  # The uninstaller copies itself to a temporary folder and returns at once; that copy works on.
  timeout 60 $wine "$folder_win\\Uninstall.exe" /S "$@" || fail "the silent uninstall ended with $?"
  wait_for 60 "the uninstall" gone "$folder/Uninstall.exe"
  $wine cmd /c exit >/dev/null 2>&1 || true
}

echo "== silent install into $folder_win"
install
expect_files present Orvanta.exe Pelgrix.exe Setting.example.ini Uninstall.exe
expect_files absent node.dll Setting.ini User.db
[ "$(head -c 2 "$folder/Setting.example.ini" | od -An -tx1 | tr -d ' ')" = fffe ] \
  || fail "Setting.example.ini is not UTF-16 with a BOM"
example=$(iconv -f UTF-16 -t UTF-8 "$folder/Setting.example.ini")
for key in wbname debug request url url1 url2 url3 wbid showlogo logowidth logoheight miniwidth miniheight \
  maxwidth maxheight align alignspace valign valignspace xpos ypos devtools show width height; do
  grep -q "^$key=" <<<"$example" || fail "Setting.example.ini lacks the key $key"
done
[ "$(reg_value "$run_key" Orvanta)" = "\"$folder_win\\Orvanta.exe\"" ] \
  || fail "start-up entry: '$(reg_value "$run_key" Orvanta)'"
[ "$(reg_value "$uninstall_key" QuietUninstallString)" = "\"$folder_win\\Uninstall.exe\" /S" ] \
  || fail "uninstall entry: '$(reg_value "$uninstall_key" QuietUninstallString)'"
[ -n "$(reg_value "$uninstall_key" DisplayVersion)" ] || fail "no DisplayVersion in the uninstall entry"
echo "   files, start-up entry and uninstall entry in place; no node.dll"

echo "== the installed client starts"
cp "$dist/node.dll" "$folder/"
(cd /tmp && exec $wine "$folder/Orvanta.exe" >/dev/null 2>&1) &
client_pid=$!
login_window() { xdotool search --onlyvisible --name '^登录$' >/dev/null 2>&1; }
wait_for 60 "the installed client's login dialog" login_window
if [ -n "${ORV_TEST_OUTPUT:-}" ]; then
  xwd -root -silent | /usr/bin/convert xwd:- "png:$ORV_TEST_OUTPUT/installer-client.png" 2>/dev/null || true
fi
[ -f "$folder/User.db" ] || fail "the installed client made no User.db beside itself"
kill "$client_pid"
wait "$client_pid" 2>/dev/null || true
client_pid=""
wait_for 30 "the client to end" bash -c "! xdotool search --onlyvisible --name '^登录\$' >/dev/null 2>&1"
echo "   the login dialog was shown, User.db made in the install folder"

echo "== silent uninstall keeps the venue's data"
printf '[CONFIG]\r\nwbname=demo\r\n' >"$folder/Setting.ini"
mkdir -p "$folder/log" "$folder/image" "$folder/temp" "$folder/Error"
echo "a log line" >"$folder/log/2026-01-01.log"
echo "png" >"$folder/image/记事本.png"
for f in UpdateList.xml ServerList.xml Pelgrix-2.exe temp/Orvanta.exe Error/crash.dmp; do echo x >"$folder/$f"; done
uninstall
expect_files absent Orvanta.exe Pelgrix.exe Pelgrix-2.exe node.dll Setting.example.ini UpdateList.xml ServerList.xml \
  temp Error Uninstall.exe
expect_files present Setting.ini User.db log/2026-01-01.log image/记事本.png
[ -z "$(reg_value "$run_key" Orvanta)" ] || fail "the start-up entry is still there"
[ -z "$(reg_value "$uninstall_key" DisplayName)" ] || fail "the uninstall entry is still there"
echo "   programs removed; Setting.ini, User.db, log\\ and image\\ kept"

echo "== install without start-up entry, uninstall with the venue's data"
install /NOSTARTUP
[ -z "$(reg_value "$run_key" Orvanta)" ] || fail "/NOSTARTUP still wrote the start-up entry"
expect_files present Setting.ini User.db Orvanta.exe
uninstall /REMOVEDATA
wait_for 30 "the folder to go" gone "$folder"
echo "   no start-up entry; the folder is gone"
echo "PASS"
