# Sourced by scripts/test.sh: a private Wine prefix with fonts and registry settings, a warm
# wineserver, a desktop held open and an Xvfb display; wine_env_stop ends them all and removes
# the prefix. Sets WINEPREFIX, WINEARCH, WINEDEBUG, WINEDLLOVERRIDES and DISPLAY: a caller that
# runs several targets at once calls it in a subshell per target.
#
# wine_env_start win32|win64: each target's tests get a prefix and display of their own. The
# prefix is a 64-bit one either way; booted while the binfmt handler for 32-bit programs is on
# (scripts/win32-runtime.sh), it gets its 32-bit side too, and 32-bit programs run in it as on
# 64-bit Windows. wine_xvfb_start and wine_prefix_start are its two halves, for a run that
# brings its own display.

wine_env_start() {
  # The display first: the first Wine process starts the prefix's desktop, and a desktop
  # started without DISPLAY leaves every later window without a graphics driver.
  wine_xvfb_start
  wine_prefix_start "${1:-win64}" unmanaged
  wine_desktop_hold
}

# Starts Xvfb on a free display and exports DISPLAY; ORV_XVFB_PID is its process.
wine_xvfb_start() {
  step "starting Xvfb"
  local fifo; fifo=$(mktemp -u /tmp/orvanta-xvfb.XXXXXX); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  ORV_XVFB_PID=$!
  local display; read -r -t 20 display <"$fifo" || die "Xvfb did not start"
  rm -f "$fifo"
  export DISPLAY=":$display"
}

# A fresh private prefix on the current DISPLAY, with fonts, the Chinese font names, no crash
# dialogs and a warm wineserver. "wine_prefix_start TARGET unmanaged": on a display without a
# window manager (Xvfb), windows that Wine places and raises itself.
wine_prefix_start() {
  local target=${1:-win64} managed=Y
  [ "${2:-}" = unmanaged ] && managed=N
  export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  WINEPREFIX=$(mktemp -d /tmp/orvanta-wine.XXXXXX)
  export WINEPREFIX
  step "preparing the Wine prefix $WINEPREFIX"
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || die "wineboot failed"
  wineserver -w
  if [ "$target" = win32 ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    die "the Wine prefix has no 32-bit side: is the binfmt handler for 32-bit programs on? (scripts/win32-runtime.sh)"
  fi
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true

  # regedit needs UTF-16LE with a BOM and CRLF line ends for the Chinese names.
  local reg="$WINEPREFIX/orvanta.reg"
  python3 - "$reg" "$managed" <<'PY'
import sys
lines = [
    "Windows Registry Editor Version 5.00", "",
    r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]",
    '"微软雅黑"="WenQuanYi Micro Hei"', '"Microsoft YaHei"="WenQuanYi Micro Hei"',
    '"宋体"="WenQuanYi Micro Hei"', '"SimSun"="WenQuanYi Micro Hei"',
    '"黑体"="WenQuanYi Micro Hei"', '"SimHei"="WenQuanYi Micro Hei"', "",
    r"[HKEY_CURRENT_USER\Software\Wine\WineDbg]", '"ShowCrashDialog"=dword:00000000', "",
    r"[HKEY_CURRENT_USER\Software\Wine]", '"Version"="win10"', "",
    # Managed windows wait for a window manager on every show and hide, for nothing on Xvfb.
    r"[HKEY_CURRENT_USER\Software\Wine\X11 Driver]", '"Managed"="%s"' % sys.argv[2], "",
]
open(sys.argv[1], "wb").write(("\ufeff" + "\r\n".join(lines) + "\r\n").encode("utf-16-le"))
PY
  /usr/lib/wine/wine64 regedit /S "$(winepath_w "$reg")" >/dev/null 2>&1 || die "regedit failed"
  wineserver -w
  wineserver -p
  local loader=/usr/lib/wine/wine64
  [ "$target" = win32 ] && loader=/usr/lib/wine/wine
  "$loader" cmd /c exit >/dev/null 2>&1 || true

  step "Wine prefix ready, display $DISPLAY"
}

# Keeps the prefix's desktop open until wine_env_stop (see scripts/wine-desktop-holder.c): the
# test cases then neither wait for a desktop of their own nor start into one going away.
wine_desktop_hold() {
  local here_dir; here_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  local exe="$WINEPREFIX/wine-desktop-holder.exe" ready="$WINEPREFIX/desktop-held"
  x86_64-w64-mingw32-gcc -O2 -Wall -Wextra -Werror -municode -mwindows -s \
    -o "$exe" "$here_dir/wine-desktop-holder.c" || die "building the desktop holder failed"
  /usr/lib/wine/wine64 "$exe" "$(winepath_w "$ready")" >/dev/null 2>&1 &
  ORV_DESKTOP_HOLDER_PID=$!
  local waited=0
  until [ -f "$ready" ]; do
    kill -0 "$ORV_DESKTOP_HOLDER_PID" 2>/dev/null || die "the desktop holder ended at its start"
    ((waited++ < 600)) || die "the desktop holder did not open its window within 60 s"
    sleep 0.1
  done
}

winepath_w() { echo "Z:${1//\//\\}"; }

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  unset WINEPREFIX
  # The holder ended with the prefix's wineserver.
  if [ -n "${ORV_DESKTOP_HOLDER_PID:-}" ]; then
    kill "$ORV_DESKTOP_HOLDER_PID" 2>/dev/null || true
    wait "$ORV_DESKTOP_HOLDER_PID" 2>/dev/null || true
  fi
  unset ORV_DESKTOP_HOLDER_PID
  if [ -n "${ORV_XVFB_PID:-}" ]; then
    kill "$ORV_XVFB_PID" 2>/dev/null || true
    wait "$ORV_XVFB_PID" 2>/dev/null || true
  fi
  unset ORV_XVFB_PID
}
