#!/usr/bin/env bash
# Cross-builds zlib, libpng 1.6 and libjpeg-turbo from Debian's source
# packages into build/deps/prefix as static libraries for i686 Windows, all
# with our CPU flags, then the photo libraries (build-photo-deps.sh).
# Cached: a library is rebuilt only when its stamp file is missing; a
# library built on another is rebuilt with it.
set -euo pipefail

source "$(dirname "$0")/deps-env.sh"

# zlib inflates every PNG: built here with our CPU flags and -O3 rather
# than taken from the generic MinGW package. Only its static library.
if [ ! -f "$prefix/.zlib" ]; then
  echo "build-deps: cross-building zlib"
  source_dir=$("$root/scripts/fetch-source.sh" zlib "$deps/src")
  rm -rf "$deps/build-zlib" "$prefix/.libpng-sse2-zlib"
  cmake -S "$source_dir" -B "$deps/build-zlib" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS="$cpu_flags" >"$deps/zlib.log"
  cmake --build "$deps/build-zlib" --target zlibstatic -j"$jobs" >>"$deps/zlib.log"
  mkdir -p "$prefix/lib" "$prefix/include"
  cp "$deps/build-zlib/libzlibstatic.a" "$prefix/lib/libz.a"
  cp "$source_dir/zlib.h" "$deps/build-zlib/zconf.h" "$prefix/include/"
  touch "$prefix/.zlib"
fi

# The stamp names the build's form, so a tree built the older way builds again.
if [ ! -f "$prefix/.libpng-sse2-zlib" ]; then
  echo "build-deps: cross-building libpng"
  source_dir=$("$root/scripts/fetch-source.sh" libpng1.6 "$deps/src")
  # libpng 1.6.39's CMake file takes only "86..." or "i86..." for a 32-bit
  # x86 target (its pattern is "^i?86"), so on i686 it leaves its SSE2 row
  # filters out; later releases match i386 to i686. Give it the pattern
  # they use, so the filters are built as on any other x86 target.
  sed -i 's/MATCHES "\^i?86"/MATCHES "^(i[3-6]86|x86)"/' "$source_dir/CMakeLists.txt"
  rm -rf "$deps/build-libpng"
  cross_build libpng "$source_dir" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_PROGRAMS=ON \
    -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
  touch "$prefix/.libpng-sse2-zlib"
fi

if [ ! -f "$prefix/.libjpeg-turbo" ]; then
  echo "build-deps: cross-building libjpeg-turbo"
  source_dir=$("$root/scripts/fetch-source.sh" libjpeg-turbo "$deps/src")
  cross_build libjpeg-turbo "$source_dir" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON -DREQUIRE_SIMD=ON
  touch "$prefix/.libjpeg-turbo"
fi

"$root/scripts/build-photo-deps.sh"
