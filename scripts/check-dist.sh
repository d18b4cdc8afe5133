#!/usr/bin/env bash
# Checks the program folders: each program is a GUI program of its target's machine type and
# imports Windows system DLLs only (no libstdc++, libgcc, winpthread or zlib DLL beside it).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
. "$here/lib.sh"

system_dlls=" advapi32 bcrypt comctl32 comdlg32 crypt32 dbghelp gdi32 gdiplus imm32 iphlpapi kernel32
  msimg32 msvcrt normaliz ntdll ole32 oleaut32 rpcrt4 secur32 shell32 shlwapi user32 userenv uxtheme
  version winhttp wininet winmm wldap32 ws2_32 dwmapi "
system_dlls=" $(tr -s ' \n' '  ' <<<"$system_dlls") "
status=0
for t in win32 win64; do
  case $t in
    win32) objdump=i686-w64-mingw32-objdump format=pei-i386 ;;
    win64) objdump=x86_64-w64-mingw32-objdump format=pei-x86-64 ;;
  esac
  for f in "$root/dist/$t/"*.exe "$root/dist/$t/"*.dll; do
    [ -f "$f" ] || continue
    name="$t/$(basename "$f")"
    info=$($objdump -p "$f")
    grep -q "file format $format" <<<"$info" || { echo "$name: not $format"; status=1; }
    case $f in
      *.exe) grep -q 'Subsystem.*(Windows GUI)' <<<"$info" || { echo "$name: not a GUI program"; status=1; } ;;
    esac
    while read -r dll; do
      lower=$(tr 'A-Z' 'a-z' <<<"$dll" | sed 's/\.dll$//')
      [[ "$system_dlls" == *" $lower "* ]] || { echo "$name imports $dll, not a Windows system DLL"; status=1; }
    done < <(grep 'DLL Name:' <<<"$info" | awk '{print $3}')
  done
done
[ $status -eq 0 ] && echo "dist: programs of both targets import Windows system DLLs only"
exit $status
