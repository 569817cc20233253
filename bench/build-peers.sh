#!/usr/bin/env bash
# build-peers.sh: cross-builds the libraries and the tool our codecs are
# measured against, with the same MinGW i686 compiler, optimisation level
# and CPU flags as the program, into build/bench-deps/prefix:
#   lib/libgif.a   giflib 5 (Debian source package giflib)
#   lib/libspng.a  libspng  (Debian source package libspng)
#   bin/djpeg.exe  djpeg from the very libjpeg-turbo source the program links
# Cached: each peer is rebuilt only when its stamp file is missing.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/bench-deps"
prefix="$out/prefix"
cc=i686-w64-mingw32-gcc-posix
ar=i686-w64-mingw32-ar
# The zlib the program links (scripts/build-deps.sh): libspng is measured
# inflating with the very same code, and a fresh machine has no other.
deps="$root/build/deps/prefix"
# What CMake's Release configuration gives our own C code, plus our CPU baseline.
read -r -a cflags <<<"-O3 -DNDEBUG $(cat "$root/cmake/cpu-flags.txt")"
mkdir -p "$out/src" "$prefix/lib" "$prefix/include" "$prefix/bin"

# compile_library NAME SOURCE_DIR FILES... [-- EXTRA_FLAGS...]
compile_library() {
  local name=$1 dir=$2; shift 2
  local files=() extra=() objects=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do files+=("$1"); shift; done
  [ $# -gt 0 ] && shift && extra=("$@")
  local objdir="$out/build-$name"
  rm -rf "$objdir" && mkdir -p "$objdir"
  local file
  for file in "${files[@]}"; do
    "$cc" "${cflags[@]}" "${extra[@]}" -c "$dir/$file" -o "$objdir/${file//\//_}.o"
    objects+=("$objdir/${file//\//_}.o")
  done
  rm -f "$prefix/lib/lib$name.a"
  "$ar" rcs "$prefix/lib/lib$name.a" "${objects[@]}"
}

if [ ! -f "$prefix/.giflib" ]; then
  echo "build-peers: cross-building giflib"
  src=$("$root/scripts/fetch-source.sh" giflib "$out/src")
  compile_library gif "$src" dgif_lib.c egif_lib.c gifalloc.c gif_err.c gif_hash.c \
    openbsd-reallocarray.c quantize.c
  cp "$src/gif_lib.h" "$prefix/include/"
  touch "$prefix/.giflib"
fi

if [ ! -f "$deps/.zlib" ]; then
  echo "build-peers: zlib is not built yet; run 'make build' first" >&2
  exit 1
fi

# Stamped with the zlib it was built against: one built against another
# zlib is built again.
if [ ! -f "$prefix/.libspng-deps-zlib" ]; then
  echo "build-peers: cross-building libspng"
  src=$("$root/scripts/fetch-source.sh" libspng "$out/src")
  # The static build of its own CMake file: one source, SPNG_STATIC, SIMD on.
  compile_library spng "$src" spng/spng.c -- -std=c99 -DSPNG_STATIC -I"$deps/include"
  cp "$src/spng/spng.h" "$prefix/include/"
  rm -f "$prefix/.libspng"
  touch "$prefix/.libspng-deps-zlib"
fi

if [ ! -f "$prefix/.djpeg" ]; then
  echo "build-peers: cross-building djpeg"
  src=$("$root/scripts/fetch-source.sh" libjpeg-turbo "$root/build/deps/src")
  # The same configuration as scripts/build-deps.sh uses for the program's copy.
  cmake -S "$src" -B "$out/build-libjpeg-turbo" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$out/libjpeg-turbo-unused" \
    -DCMAKE_C_FLAGS="$(cat "$root/cmake/cpu-flags.txt")" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON -DREQUIRE_SIMD=ON >"$out/djpeg.log"
  cmake --build "$out/build-libjpeg-turbo" --target djpeg-static -j2 >>"$out/djpeg.log"
  cp "$out/build-libjpeg-turbo/djpeg-static.exe" "$prefix/bin/djpeg.exe"
  touch "$prefix/.djpeg"
fi
