#!/usr/bin/env bash
# Builds the third-party libraries (SQLite, libcurl, JsonCpp, log4cpp, tinyxml2, GoogleTest)
# as static libraries for both Windows targets from Debian's source packages.
#
# Output goes to a cache outside the clone, keyed by this recipe, so that later builds and CI
# on the same machine reuse it and a change of recipe rebuilds it:
#   $ORVANTA_DEPS_CACHE/<key>/win32   and   .../win64   (include/, lib/)
# Prints the prefix directory of each target on the last lines.
#
# Usage: scripts/deps.sh [win32|win64|all]   (default: all)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
# shellcheck source=scripts/lib.sh
. "$here/lib.sh"

targets=${1:-all}
[ "$targets" = all ] && targets="win64 win32"

cache=${ORVANTA_DEPS_CACHE:-/var/cache/orvanta-deps}
key=$(cat "$here/deps.sh" "$root/cmake/toolchain-mingw-common.cmake" | sha256sum | cut -c1-16)
out="$cache/$key"
src="$cache/sources-$key"

host_packages="cmake ninja-build tcl gcc make dpkg-dev python3 ca-certificates
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix gcc-mingw-w64-x86-64-posix
  gcc-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 libz-mingw-w64-dev"

need_build=""
for t in $targets; do
  [ -f "$out/$t/.complete" ] || need_build="$need_build $t"
done

if [ -z "$need_build" ]; then
  for t in $targets; do echo "deps: $t ready at $out/$t"; done
  exit 0
fi

step "installing host packages for the dependency build"
ensure_packages $host_packages

# --- sources ---------------------------------------------------------------------------------
# A private apt configuration reads Debian's source indexes without touching the system's
# apt set-up. log4cpp's bookworm files are unreachable; trixie carries 1.1.4.
fetch_sources() {
  if [ -f "$src/.complete" ]; then return 0; fi
  step "fetching Debian source packages into $src"
  rm -rf "$src"; mkdir -p "$src/apt/lists/partial" "$src/apt/archives/partial"
  local bookworm="$src/apt/bookworm.list" trixie="$src/apt/trixie.list"
  cat >"$bookworm" <<EOS
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm-updates main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security bookworm-security main
EOS
  cat >"$trixie" <<EOS
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian trixie main
EOS
  aptsrc() {
    local list=$1; shift
    apt-get -q -o Dir::Etc::SourceList="$list" -o Dir::Etc::SourceParts=/dev/null \
      -o Dir::State::Lists="$src/apt/lists-$(basename "$list" .list)" \
      -o Dir::Cache::Archives="$src/apt/archives" -o APT::Sandbox::User=root "$@"
  }
  mkdir -p "$src/apt/lists-bookworm/partial" "$src/apt/lists-trixie/partial"
  aptsrc "$bookworm" update || die "apt-get update of the bookworm source index failed"
  aptsrc "$trixie" update || die "apt-get update of the trixie source index failed"
  (cd "$src" && aptsrc "$bookworm" source --download-only sqlite3 curl libjsoncpp tinyxml2 googletest) \
    || die "apt-get source failed for the bookworm packages"
  # Only the upstream tarball of trixie's log4cpp is reachable: fetch it alone, checked
  # against the SHA256 that trixie's signed source index gives.
  local uri_line uri name hash
  uri_line=$(cd "$src" && aptsrc "$trixie" source --print-uris log4cpp 2>/dev/null | grep "orig.tar" | head -n 1)
  [ -n "$uri_line" ] || die "trixie's source index names no log4cpp tarball"
  read -r uri name _ hash <<<"$uri_line"
  uri=${uri//\'/}
  [ -f "$src/$name" ] || /usr/lib/apt/apt-helper download-file "$uri" "$src/$name" "$hash" \
    || die "downloading $name failed"
  echo "$hash" | grep -q "$(sha256sum "$src/$name" | cut -d' ' -f1)" || die "$name does not match $hash"
  tar -C "$src" -xzf "$src/$name" || die "unpacking $name failed"
  [ -d "$src/log4cpp" ] && mv "$src/log4cpp" "$src/log4cpp-1.1.4"
  # apt-get source checks each file against the signed index's checksums before keeping it.
  for dsc in "$src"/*.dsc; do
    (cd "$src" && dpkg-source --no-check -x "$dsc" >/dev/null) || die "unpacking $dsc failed"
  done
  touch "$src/.complete"
}

srcdir() { # first unpacked directory whose name starts with $1-
  local d
  d=$(find "$src" -maxdepth 1 -type d -name "$1-*" | sort | tail -n 1)
  [ -n "$d" ] || die "no unpacked source for $1 in $src"
  echo "$d"
}

# --- builds ----------------------------------------------------------------------------------
cmake_dep() { # name source-dir prefix target [cmake args...]
  local name=$1 dir=$2 prefix=$3 t=$4; shift 4
  local b="$out/build-$t/$name"
  step "$t: building $name"
  rm -rf "$b"; mkdir -p "$b"
  cmake -S "$dir" -B "$b" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$t.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_PREFIX_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >"$b.configure.log" 2>&1 \
    || { tail -n 40 "$b.configure.log"; die "$t: configuring $name failed (log: $b.configure.log)"; }
  cmake --build "$b" >"$b.build.log" 2>&1 \
    || { tail -n 40 "$b.build.log"; die "$t: building $name failed (log: $b.build.log)"; }
  cmake --install "$b" >"$b.install.log" 2>&1 || die "$t: installing $name failed"
}

sqlite_amalgamation() {
  local amal="$src/sqlite-amalgamation"
  [ -f "$amal/sqlite3.c" ] && return 0
  step "generating the SQLite amalgamation (native tools)"
  local d; d=$(srcdir sqlite3)
  rm -rf "$amal.build"; mkdir -p "$amal.build" "$amal"
  (cd "$amal.build" && "$d/configure" --disable-tcl --disable-readline >configure.log 2>&1 \
    && make sqlite3.c >make.log 2>&1) || die "generating sqlite3.c failed (see $amal.build)"
  cp "$amal.build/sqlite3.c" "$amal.build/sqlite3.h" "$amal/"
  cp "$d/src/sqlite3ext.h" "$amal/" 2>/dev/null || true
}

build_target() {
  local t=$1 triplet prefix
  case $t in
    win32) triplet=i686-w64-mingw32 ;;
    win64) triplet=x86_64-w64-mingw32 ;;
    *) die "unknown target $t" ;;
  esac
  prefix="$out/$t"
  rm -rf "$prefix" "$out/build-$t"; mkdir -p "$prefix/include" "$prefix/lib" "$out/build-$t"

  step "$t: building sqlite3"
  "$triplet-gcc-posix" -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION \
    -c "$src/sqlite-amalgamation/sqlite3.c" -o "$out/build-$t/sqlite3.o" || die "$t: compiling sqlite3.c failed"
  "$triplet-ar" rcs "$prefix/lib/libsqlite3.a" "$out/build-$t/sqlite3.o"
  cp "$src/sqlite-amalgamation/sqlite3.h" "$prefix/include/"

  cmake_dep tinyxml2 "$(srcdir tinyxml2)" "$prefix" "$t" -Dtinyxml2_BUILD_TESTING=OFF
  cmake_dep jsoncpp "$(srcdir libjsoncpp)" "$prefix" "$t" -DBUILD_STATIC_LIBS=ON \
    -DBUILD_OBJECT_LIBS=OFF -DJSONCPP_WITH_TESTS=OFF -DJSONCPP_WITH_POST_BUILD_UNITTEST=OFF \
    -DJSONCPP_WITH_PKGCONFIG_SUPPORT=OFF -DJSONCPP_WITH_CMAKE_PACKAGE=ON
  cmake_dep googletest "$(srcdir googletest)" "$prefix" "$t" -Dgtest_disable_pthreads=ON -DBUILD_GMOCK=ON

  # log4cpp's MinGW config redefines int64_t, which breaks <cstdint> for it and every user.
  local l4; l4=$(srcdir log4cpp)
  if grep -q '#define int64_t __int64' "$l4/include/log4cpp/config-MinGW32.h"; then
    sed -i 's/^#define int64_t __int64/#include <stdint.h>/' "$l4/include/log4cpp/config-MinGW32.h"
  fi
  cmake_dep log4cpp "$l4" "$prefix" "$t"

  cmake_dep curl "$(srcdir curl)" "$prefix" "$t" -DHTTP_ONLY=ON -DCURL_USE_SCHANNEL=ON \
    -DCURL_USE_OPENSSL=OFF -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF -DCURL_CA_BUNDLE=none \
    -DCURL_CA_PATH=none -DCURL_USE_LIBSSH2=OFF -DCURL_USE_LIBPSL=OFF -DUSE_LIBIDN2=OFF \
    -DUSE_NGHTTP2=OFF -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DCURL_ZLIB=OFF -DENABLE_UNIX_SOCKETS=OFF \
    -DCURL_DISABLE_LDAP=ON -DUSE_WIN32_IDN=OFF -DENABLE_MANUAL=OFF

  # log4cpp installs its library under a name of its own choosing; normalise it.
  if [ ! -f "$prefix/lib/liblog4cpp.a" ]; then
    local f; f=$(find "$prefix/lib" -maxdepth 1 -iname 'liblog4cpp*.a' | head -n 1)
    [ -n "$f" ] && cp "$f" "$prefix/lib/liblog4cpp.a"
  fi
  for lib in libsqlite3.a libtinyxml2.a libjsoncpp.a libgtest.a libgmock.a liblog4cpp.a libcurl.a; do
    [ -f "$prefix/lib/$lib" ] || die "$t: $lib missing after the build"
  done
  rm -rf "$out/build-$t"
  touch "$prefix/.complete"
}

fetch_sources
sqlite_amalgamation
start=$SECONDS
for t in $need_build; do build_target "$t"; done
step "dependencies built in $((SECONDS - start)) s"
for t in $targets; do echo "deps: $t ready at $out/$t"; done
