#!/usr/bin/env bash
# Builds both Windows targets with their test programs: dist/win32/ (the release programs,
# i686) and dist/win64/ (x86_64). The tests run both under Wine (scripts/test.sh), the i686
# ones under qemu's user-mode emulator. Installs what is missing first.
#
# Usage: scripts/build.sh [--no-tests]
# ORV_BUILD_TARGETS="win64" (or "win32") builds one target only; the default is both.
# ORV_BUILD_ONLY="Orvanta Pelgrix ..." builds only these CMake targets (same configuration).
# ORV_UPDATE_PUBLIC_KEY=/path/public.pem builds an updater that applies signed manifests only;
# ORV_UPDATE_SIGNING_KEY=/path/private.pem signs dist/update/ (see the README, "Signed releases").
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
. "$here/lib.sh"

tests=ON
[ "${1:-}" = "--no-tests" ] && tests=OFF

ensure_packages cmake ninja-build python3 zip nsis openssl
cache=${ORVANTA_DEPS_CACHE:-/var/cache/orvanta-deps}
mkdir -p "$cache"
# One dependency build at a time per machine (several clones may share the cache).
flock "$cache/.lock" bash "$here/deps.sh" all
key=$(cat "$here/deps.sh" "$root/cmake/toolchain-mingw-common.cmake" | sha256sum | cut -c1-16)

configure_and_build() { # target build-tests
  local t=$1 with_tests=$2
  # ctest runs the test programs through this (the test run sets up the Wine prefix).
  local emulator="$here/wine-run.sh;$t"
  local b="$root/build/$t"
  step "building $t"
  cmake -S "$root" -B "$b" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$t.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DORV_DEPS_PREFIX="$cache/$key/$t" \
    -DORV_BUILD_TESTS="$with_tests" \
    -DORV_UPDATE_PUBLIC_KEY="${ORV_UPDATE_PUBLIC_KEY:-}" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator" >"$b.configure.log" 2>&1 \
    || { mkdir -p "$b"; cat "$b.configure.log"; die "configuring $t failed"; }
  # shellcheck disable=SC2086
  cmake --build "$b" ${ORV_BUILD_ONLY:+--target $ORV_BUILD_ONLY} || die "building $t failed"
}

mkdir -p "$root/build"
for t in ${ORV_BUILD_TARGETS:-win32 win64}; do
  case $t in win32 | win64) configure_and_build "$t" "$tests" ;; *) die "ORV_BUILD_TARGETS: unknown target $t (win32, win64)" ;; esac
done
# The cashier server's folder for venues: the release's programs and settings example (never the
# development engine) with their manifest.
if [[ " ${ORV_BUILD_TARGETS:-win32 win64} " == *" win32 "* ]] && [ -z "${ORV_BUILD_ONLY:-}" ]; then
  step "the update set: $root/dist/update"
  rm -rf "$root/dist/update"
  mkdir -p "$root/dist/update"
  cp "$root/dist/win32/Orvanta.exe" "$root/dist/win32/Pelgrix.exe" "$root/dist/win32/Setting.example.ini" \
    "$root/dist/update/"
  if [ -n "${ORV_UPDATE_PUBLIC_KEY:-}" ] && [ -z "${ORV_UPDATE_SIGNING_KEY:-}" ]; then
    printf 'WARNING: the updater checks signatures, but ORV_UPDATE_SIGNING_KEY is not set: dist/update is unsigned and will be refused\n' >&2
  fi
  bash "$here/update-set.sh" "$root/dist/update" || die "making the update set failed"
fi
step "program folders: $root/dist/win32 and $root/dist/win64"
ls -l "$root/dist/win32" 2>/dev/null || true
