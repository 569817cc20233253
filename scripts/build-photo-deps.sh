#!/usr/bin/env bash
# Cross-builds the photo libraries from Debian's source packages into
# build/deps/prefix, cached by stamp files as build-deps.sh does:
#   lcms2     colour profiles, static
#   libwebp   WebP decoding and its container, static; dwebp.exe in prefix/bin
set -euo pipefail

source "$(dirname "$0")/deps-env.sh"
host=i686-w64-mingw32

# Only the library: its tools would want libtiff. On Windows lcms2 guards
# its plugins with critical sections, so no pthreads library is linked.
if [ ! -f "$prefix/.lcms2" ]; then
  echo "build-deps: cross-building lcms2"
  source_dir=$("$root/scripts/fetch-source.sh" lcms2 "$deps/src")
  rm -rf "$deps/build-lcms2" && mkdir -p "$deps/build-lcms2"
  (cd "$deps/build-lcms2" &&
    "$source_dir/configure" --host=$host --prefix="$prefix" --disable-shared --enable-static \
      --without-jpeg --without-tiff --without-zlib \
      CC=$host-gcc-posix CFLAGS="-O2 $cpu_flags" &&
    make -C src -j"$jobs" install && make -C include install) >"$deps/lcms2.log"
  touch "$prefix/.lcms2"
fi

# Decoding and the container's chunks (first frame, EXIF, ICCP): libwebp
# (whose encoder half the tests may use to make pictures) and libwebpdemux.
# dwebp.exe, linked statically, is the speed yardstick; it writes BMP, PAM
# and PPM itself, so no image library is wanted for it.
if [ ! -f "$prefix/.libwebp" ]; then
  echo "build-deps: cross-building libwebp"
  source_dir=$("$root/scripts/fetch-source.sh" libwebp "$deps/src")
  rm -rf "$deps/build-libwebp"
  cross_build libwebp "$source_dir" -DBUILD_SHARED_LIBS=OFF -DWEBP_BUILD_DWEBP=ON \
    -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF -DWEBP_BUILD_GIF2WEBP=OFF \
    -DWEBP_BUILD_IMG2WEBP=OFF -DWEBP_BUILD_VWEBP=OFF -DWEBP_BUILD_WEBPINFO=OFF \
    -DWEBP_BUILD_LIBWEBPMUX=OFF -DWEBP_BUILD_WEBPMUX=OFF -DWEBP_BUILD_EXTRAS=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_PNG=ON -DCMAKE_DISABLE_FIND_PACKAGE_JPEG=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_GIF=ON \
    -DCMAKE_EXE_LINKER_FLAGS=-static
  touch "$prefix/.libwebp"
fi
