#!/usr/bin/env bash
# Idempotent setup for a fresh Debian 12 machine (run as root, or with sudo
# available): cross compiler, Wine, Xvfb, the Debian source packages of
# zlib, libpng, libjpeg-turbo and the photo libraries (lcms2, libwebp,
# libde265, dav1d, libheif) cross-built into build/deps, and a private Wine
# prefix. Each step checks first, so a second run costs a second or two.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  wine wine32:i386 wine64 xvfb x11-utils xdotool imagemagick
  nasm meson cmake make dpkg-dev googletest g++ fp-utils fonts-wqy-microhei clang-format
  nsis zip unzip python3-cairo fonts-dejavu-core fonts-dejavu-extra
  clang libclang-rt-14-dev libgif-dev gifsicle
  # The native reference tools the photo readers are checked against, built
  # from the same sources: dwebp; heif-convert; transicc, jpgicc, tificc;
  # avifdec.
  webp libheif-examples liblcms2-utils libavif-bin
)

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

# A deb-src entry made from the machine's own deb entry, so the source
# packages come from wherever this machine already gets its packages.
ensure_deb_src() {
  local list=/etc/apt/sources.list.d/tessaly-deb-src.sources
  [ -f "$list" ] && return 0
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types:.*$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | as_root tee "$list" >/dev/null
  elif [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      as_root tee /etc/apt/sources.list.d/tessaly-deb-src.list >/dev/null
    as_root touch "$list"
  fi
  return 1 # tell the caller that apt needs an update
}

install_packages() {
  local need_update=0
  dpkg --print-foreign-architectures | grep -qx i386 || { as_root dpkg --add-architecture i386; need_update=1; }
  ensure_deb_src || need_update=1
  local missing
  missing=$(missing_packages)
  [ -z "$missing" ] && [ "$need_update" -eq 0 ] && return 0
  echo "setup: installing packages: ${missing:-none (refreshing package lists)}"
  as_root apt-get update -q
  [ -n "$missing" ] && DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q $missing
  return 0
}

install_packages
"$root/scripts/build-deps.sh"
"$root/scripts/wine-prefix.sh"
"$root/scripts/wine-prefix.sh" win64
