#!/usr/bin/env bash
# Makes this machine run 32-bit Windows programs: Wine's 32-bit side (wine32:i386) under qemu's
# user-mode emulator, started for every 32-bit ELF by a binfmt_misc handler. The kernel here
# has no 32-bit execution of its own.
#
# - dpkg gets the i386 architecture and wine32:i386 is installed from the system's own sources.
# - qemu comes from Debian's bookworm-backports (qemu 10): bookworm's qemu 7.2 ignores
#   MAP_FIXED_NOREPLACE, and each Wine start then takes close to a minute. Its package is
#   statically linked; it is fetched through a private apt configuration (the system's apt
#   sources stay as they are) and extracted into $ORVANTA_DEPS_CACHE/qemu-user-<version>/,
#   which later runs reuse without the network.
# - The handler is registered with the F flag: the kernel keeps the interpreter open, so it
#   also works inside later mount namespaces. It lasts until reboot.
#
# Idempotent: a step already done is skipped. Prints the interpreter's path on the last line.
# Usage: scripts/win32-runtime.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

cache=${ORVANTA_DEPS_CACHE:-/var/cache/orvanta-deps}
binfmt=/proc/sys/fs/binfmt_misc
handler=qemu-i386
need_root() { [ "$(id -u)" -eq 0 ] || die "$1 needs root; run the tests as root or do it once by hand"; }

# --- Wine's 32-bit side -------------------------------------------------------------------------
ensure_wine32() {
  if dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
    return 0
  fi
  need_root "installing wine32:i386"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    step "adding the i386 architecture to dpkg"
    dpkg --add-architecture i386 || die "dpkg --add-architecture i386 failed"
  fi
  step "apt-get install wine32:i386"
  # The i386 indexes are new: update even when an earlier step of this run already did.
  apt-get update -q >/dev/null \
    || die "apt-get update failed (the i386 package indexes could not be fetched)"
  # Multi-arch packages must have the same version on both architectures: apt may upgrade
  # some amd64 libraries to the point release the i386 ones have.
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends wine32:i386 >/dev/null \
    || die "apt-get install wine32:i386 failed"
  [ -x /usr/lib/wine/wine ] || die "wine32:i386 is installed but /usr/lib/wine/wine is missing"
}

# --- qemu-i386 from bookworm-backports, extracted into the cache -------------------------------
cached_qemu() { # newest extracted interpreter, if any
  find "$cache" -maxdepth 4 -path "$cache/qemu-user-*/usr/bin/qemu-i386" -type f 2>/dev/null | sort -V | tail -n 1
}

fetch_qemu() {
  need_root "fetching qemu-user into $cache"
  local work; work=$(mktemp -d "$cache/.qemu-fetch.XXXXXX")
  local list="$work/backports.list"
  echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm-backports main" >"$list"
  mkdir -p "$work/lists/partial" "$work/archives/partial"
  aptbp() {
    "$@" -q -o Dir::Etc::SourceList="$list" -o Dir::Etc::SourceParts=/dev/null \
      -o Dir::State::Lists="$work/lists" -o Dir::Cache::Archives="$work/archives" \
      -o APT::Sandbox::User=root
  }
  step "fetching qemu-user from bookworm-backports (private apt configuration)"
  aptbp apt-get update >/dev/null || { rm -rf "$work"; die "apt-get update of bookworm-backports failed"; }
  local version
  version=$(aptbp apt-cache policy qemu-user | awk '/Candidate:/ {print $2}')
  [ -n "$version" ] && [ "$version" != "(none)" ] || { rm -rf "$work"; die "bookworm-backports has no qemu-user"; }
  # apt-get download checks the package against the signed index's checksum.
  (cd "$work" && aptbp apt-get download "qemu-user=$version" >/dev/null) \
    || { rm -rf "$work"; die "downloading qemu-user $version failed"; }
  local deb; deb=$(find "$work" -maxdepth 1 -name 'qemu-user_*.deb' | head -n 1)
  [ -n "$deb" ] || { rm -rf "$work"; die "the qemu-user package was not downloaded"; }
  mkdir -p "$work/root"
  dpkg-deb -x "$deb" "$work/root" || { rm -rf "$work"; die "extracting $deb failed"; }
  [ -x "$work/root/usr/bin/qemu-i386" ] || { rm -rf "$work"; die "$deb has no usr/bin/qemu-i386"; }
  # Only the i386 emulator is needed (and the licence beside it): 11 MB instead of 360.
  find "$work/root/usr/bin" -mindepth 1 ! -name qemu-i386 -delete
  find "$work/root/usr/share" -mindepth 1 -maxdepth 1 ! -name doc -exec rm -rf {} +
  rm -rf "$work/root/usr/libexec"
  local dest="$cache/qemu-user-${version//:/_}"
  rm -rf "$dest"
  mv "$work/root" "$dest"
  rm -rf "$work"
  step "qemu-user $version extracted into $dest"
}

# --- the binfmt_misc handler ------------------------------------------------------------------
qemu_major() { # interpreter -> major version, empty when it does not run
  "$1" --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\)\..*/\1/p' | head -n 1
}

ensure_handler() { # interpreter
  local qemu=$1
  if [ -f "$binfmt/$handler" ] && grep -qx enabled "$binfmt/$handler" && grep -q '^flags:.*F' "$binfmt/$handler"; then
    local current; current=$(sed -n 's/^interpreter //p' "$binfmt/$handler")
    [ "$current" = "$qemu" ] && return 0
    # Another clone's cache (ORVANTA_DEPS_CACHE) registered an equally recent qemu: keep it.
    local major; major=$(qemu_major "$current")
    [ -n "$major" ] && [ "$major" -ge 10 ] && return 0
  fi
  need_root "registering the binfmt_misc handler for 32-bit programs"
  if [ ! -f "$binfmt/register" ]; then
    mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null \
      || die "cannot mount binfmt_misc on $binfmt (a container without that right cannot run 32-bit programs)"
  fi
  if [ -f "$binfmt/$handler" ]; then
    # Another interpreter under our name (bookworm's own qemu, for instance) is far slower.
    step "replacing the binfmt handler $handler ($(sed -n 's/^interpreter //p' "$binfmt/$handler"))"
    echo -1 >"$binfmt/$handler" || die "cannot remove the binfmt handler $handler"
  fi
  step "registering the binfmt handler $handler -> $qemu"
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf '%s' ":$handler:M::$magic:$mask:$qemu:F" >"$binfmt/register" \
    || die "registering the binfmt handler failed"
}

mkdir -p "$cache"
ensure_wine32
qemu=$(cached_qemu)
if [ -z "$qemu" ]; then
  fetch_qemu
  qemu=$(cached_qemu)
fi
[ -n "$qemu" ] || die "no qemu-i386 in $cache"
"$qemu" --version >/dev/null 2>&1 || die "$qemu does not run"
ensure_handler "$qemu"
# The proof: a 32-bit ELF (Wine's own loader) starts.
/usr/lib/wine/wine --version >/dev/null 2>&1 \
  || die "the 32-bit Wine loader does not start under $qemu"
echo "$qemu"
