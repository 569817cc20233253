#!/usr/bin/env bash
# make-dist.sh BIN DIST: lays out the shippable folder: the program, the
# language modules, the HEIF libraries' DLLs, the skin folders the build
# drew and described, the help file once it exists; the README and the
# licence texts of the libraries the program contains or ships.
set -euo pipefail
bin=$1 dist=$2
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$dist"
for file in Tessaly.exe English.dll chinese.dll libheif.dll libde265.dll QL.chm; do
  [ -f "$bin/$file" ] && cp -u "$bin/$file" "$dist/"
done
for skin in "$bin"/*/; do
  [ -f "$skin/bg.bmp" ] && [ -f "$skin/Quorrel.ini" ] && cp -ru "${skin%/}" "$dist/"
done

# The program and the DLLs ship without the debugging sections that the
# libraries they link bring (a third of the program's size, more than half
# of a DLL's); build/win/bin keeps them.
for program in "$dist/Tessaly.exe" "$dist/libheif.dll" "$dist/libde265.dll"; do
  if [ -f "$program" ] && i686-w64-mingw32-objdump -h "$program" | grep '\.debug_' >/dev/null; then
    i686-w64-mingw32-strip "$program"
  fi
done

# Text files for Notepad on every Windows: CRLF line ends, and UTF-8 with a
# byte-order mark where the text is not plain ASCII. A text is written only
# when it changed, so that the packages are not made again for nothing.
to_windows_text() { sed 's/\r$//; s/$/\r/'; }
write_if_changed() { # FILE: stdin becomes FILE unless FILE holds it already
  local new
  new=$(mktemp)
  cat >"$new"
  if cmp -s "$new" "$1"; then rm -f "$new"; else mv "$new" "$1" && chmod 644 "$1"; fi
}
version=$(head -n1 "$root/VERSION")
{ printf '\xef\xbb\xbf'; sed "s/@VERSION@/$version/g" "$root/installer/README.txt" | to_windows_text; } |
  write_if_changed "$dist/README.txt"

# The licences ask for their texts to travel with the program; they are
# copied from the very sources the libraries were built from.
licenses="$dist/licenses"
mkdir -p "$licenses"
source_of() { "$root/scripts/fetch-source.sh" "$1" "$root/build/deps/src"; }
license_file() { # TITLE FILE...: the files, each under a line naming it
  local title=$1 file
  shift
  echo "$title"
  for file in "$@"; do
    printf '\n==== %s ====\n\n' "$(basename "$file")"
    cat "$file"
  done
}
png=$(source_of libpng1.6)
jpeg=$(source_of libjpeg-turbo)
zlib=$(source_of zlib)
license_file "libpng $(basename "$png" | sed 's/^libpng1.6-//')" "$png/LICENSE" |
  to_windows_text | write_if_changed "$licenses/libpng.txt"
license_file "libjpeg-turbo $(basename "$jpeg" | sed 's/^libjpeg-turbo-//')" "$jpeg/LICENSE.md" "$jpeg/README.ijg" |
  to_windows_text | write_if_changed "$licenses/libjpeg-turbo.txt"
license_file "zlib $(basename "$zlib" | sed 's/^zlib-//')" "$zlib/LICENSE" |
  to_windows_text | write_if_changed "$licenses/zlib.txt"
# The photo libraries, each text under a line naming the Debian source
# package it was built from (where the LGPL ones' sources are to be had)
# and what our build changed in it.
photo_license() { # PACKAGE TITLE CHANGES FILE...: licenses/PACKAGE.txt, FILEs of its source
  local package=$1 title=$2 changes=$3 source dsc file files=()
  shift 3
  source=$(source_of "$package")
  dsc=$(cd "$root/build/deps/src" && ls "${package}"_*.dsc | sort -V | tail -n1)
  for file in "$@"; do files+=("$source/$file"); done
  dsc=${dsc%.dsc}
  license_file "$title ${source##*/"$package"-}" "${files[@]}" |
    awk -v note="Built from the Debian source package $package, version ${dsc#*_},\nwith $changes." \
      'NR == 1 { print; print ""; print note; next } 1' |
    to_windows_text | write_if_changed "$licenses/$package.txt"
}
photo_license lcms2 "Little CMS" "no changes" COPYING
photo_license libwebp libwebp "no changes" COPYING PATENTS
photo_license dav1d dav1d "no changes" COPYING
photo_license libheif libheif \
  "one change: libheif/heif.h marks the functions for export from\\nthe DLL with any Windows compiler, not only Microsoft's" COPYING
photo_license libde265 libde265 \
  "one change: libde265/de265.h marks the functions for export from\\nthe DLL with any Windows compiler, not only Microsoft's" COPYING
exit 0
