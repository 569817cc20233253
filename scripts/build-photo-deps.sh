#!/usr/bin/env bash
# Cross-builds the photo libraries from Debian's source packages into
# build/deps/prefix, cached by stamp files as build-deps.sh does:
#   lcms2     colour profiles, static
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
