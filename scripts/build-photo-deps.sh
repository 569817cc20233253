#!/usr/bin/env bash
# Cross-builds the photo libraries from Debian's source packages into
# build/deps/prefix, cached by stamp files as build-deps.sh does:
#   lcms2     colour profiles, static
#   libwebp   WebP decoding and its container, static; dwebp.exe in prefix/bin
#   libde265  HEVC, libde265.dll
#   dav1d     AV1, static, linked into libheif.dll
#   libheif   HEIF, HEIC and AVIF, libheif.dll; heif-convert.exe in prefix/bin
set -euo pipefail

source "$(dirname "$0")/deps-env.sh"
host=i686-w64-mingw32

# Only the library: its tools would want libtiff. On Windows lcms2 guards
# its plugins with critical sections, so no pthreads library is linked.
if [ ! -f "$prefix/.lcms2" ]; then
  echo "build-deps: cross-building lcms2"
  source_dir=$("$root/scripts/fetch-source.sh" lcms2 "$deps/src")
  rm -rf "$deps/build-lcms2" && mkdir -p "$deps/build-lcms2"
  log="$deps/lcms2.log" && rm -f "$log"
  (cd "$deps/build-lcms2" &&
    logged "$log" "$source_dir/configure" --host=$host --prefix="$prefix" --disable-shared \
      --enable-static --without-jpeg --without-tiff --without-zlib \
      CC=$host-gcc-posix CFLAGS="-O2 $target_flags" &&
    logged "$log" make -C src -j"$jobs" install && logged "$log" make -C include install)
  touch "$prefix/.lcms2"
fi

# Decoding and the container's chunks (first frame, EXIF, ICCP): libwebp
# (whose encoder half the tests may use to make pictures) and libwebpdemux.
# dwebp.exe, linked statically, is the speed yardstick; it writes BMP, PAM
# and PPM itself, so no image library is wanted for it.
if [ ! -f "$prefix/.libwebp-xp" ]; then
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
  touch "$prefix/.libwebp-xp"
fi

# The LGPL libraries are DLLs beside Tessaly.exe, so that a user can put a
# build of their own in their place. Each carries its C and C++ runtime and
# the thread library inside (-static), so nothing else from MinGW ships.
dll_flags="-static -static-libgcc -static-libstdc++"
# Their headers mark the API for export only with Microsoft's compiler, so
# MinGW would export every symbol of the DLL, the C++ runtime's too (and a
# program linking the import library would get two _Unwind_Resume). Marked
# with any Windows compiler, each DLL exports just its library's API.
export_api_on_windows() { # HEADER STATIC_BUILD_MACRO
  sed -i "s/^#if defined(_MSC_VER) \&\& !defined($2)\$/#if defined(_WIN32) \&\& !defined($2)/" "$1"
  grep -q "^#if defined(_WIN32) && !defined($2)\$" "$1"
}

# HEVC for HEIC; only the library (its decoder tool would want SDL).
if [ ! -f "$prefix/.libde265" ]; then
  echo "build-deps: cross-building libde265"
  source_dir=$("$root/scripts/fetch-source.sh" libde265 "$deps/src")
  rm -rf "$deps/build-libde265" "$prefix/.libheif"
  export_api_on_windows "$source_dir/libde265/de265.h" LIBDE265_STATIC_BUILD
  cross_build libde265 "$source_dir" -DBUILD_SHARED_LIBS=ON -DENABLE_SDL=OFF \
    -DENABLE_DECODER=OFF -DENABLE_ENCODER=OFF -DCMAKE_CXX_FLAGS="$target_flags" \
    -DCMAKE_SHARED_LINKER_FLAGS="$dll_flags"
  touch "$prefix/.libde265"
fi

# AV1 for AVIF, with its nasm SIMD. It is BSD-licensed, so nothing asks for
# it to be replaceable: it is linked statically into libheif.dll, one DLL
# fewer to ship and load. Meson takes the compilers of our CMake toolchain.
# It needs Vista's condition variables (it asks for Windows 7's API
# itself), so libheif.dll does not load on XP: HEIF is then missing there.
# Without its log, which would write a line to stderr for every picture.
if [ ! -f "$prefix/.dav1d-quiet" ]; then
  echo "build-deps: cross-building dav1d"
  source_dir=$("$root/scripts/fetch-source.sh" dav1d "$deps/src")
  rm -rf "$deps/build-dav1d" "$prefix/.libheif"
  compiler() { sed -n "s/^set(CMAKE_$1 \(.*\))\$/'\1'/p" "$toolchain"; }
  cross_file="$deps/mingw-i686.meson"
  cat >"$cross_file" <<CROSS
[binaries]
c = $(compiler C_COMPILER)
cpp = $(compiler CXX_COMPILER)
windres = $(compiler RC_COMPILER)
nasm = $(compiler ASM_NASM_COMPILER)
ar = '$host-ar'
strip = '$host-strip'
pkgconfig = 'false'

[built-in options]
c_args = [$(printf "'%s', " $cpu_flags)]

[host_machine]
system = 'windows'
cpu_family = 'x86'
cpu = 'i686'
endian = 'little'
CROSS
  log="$deps/dav1d.log" && rm -f "$log"
  logged "$log" meson setup "$deps/build-dav1d" "$source_dir" --cross-file "$cross_file" \
    --prefix "$prefix" --libdir lib --buildtype release --default-library static \
    -Denable_tools=false -Denable_tests=false -Denable_examples=false -Dlogging=false
  logged "$log" ninja -C "$deps/build-dav1d" -j"$jobs" install
  touch "$prefix/.dav1d-quiet"
fi

# HEIF, HEIC and AVIF with the two decoders above built in (no plugins, no
# encoders). Its heif-convert.exe, linked statically with our libjpeg and
# libpng, is the speed yardstick.
if [ ! -f "$prefix/.libheif" ]; then
  echo "build-deps: cross-building libheif"
  source_dir=$("$root/scripts/fetch-source.sh" libheif "$deps/src")
  rm -rf "$deps/build-libheif"
  export_api_on_windows "$source_dir/libheif/heif.h" LIBHEIF_STATIC_BUILD
  # pkg-config looks only into our prefix, never at the build machine's libraries.
  PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" cross_build libheif "$source_dir" \
    -DBUILD_SHARED_LIBS=ON -DENABLE_PLUGIN_LOADING=OFF \
    -DWITH_LIBDE265=ON -DLIBDE265_INCLUDE_DIR="$prefix/include" \
    -DLIBDE265_LIBRARY="$prefix/lib/libde265.dll.a" \
    -DWITH_DAV1D=ON -DDAV1D_INCLUDE_DIR="$prefix/include" -DDAV1D_LIBRARY="$prefix/lib/libdav1d.a" \
    -DWITH_X265=OFF -DWITH_AOM_DECODER=OFF -DWITH_AOM_ENCODER=OFF -DWITH_RAV1E=OFF \
    -DWITH_SvtEnc=OFF -DWITH_EXAMPLES=ON \
    -DJPEG_INCLUDE_DIR="$prefix/include" -DJPEG_LIBRARY="$prefix/lib/libjpeg.a" \
    -DPNG_PNG_INCLUDE_DIR="$prefix/include" -DPNG_LIBRARY="$prefix/lib/libpng16.a" \
    -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a" \
    -DCMAKE_CXX_FLAGS="$target_flags" -DCMAKE_SHARED_LINKER_FLAGS="$dll_flags" \
    -DCMAKE_EXE_LINKER_FLAGS=-static
  touch "$prefix/.libheif"
fi
