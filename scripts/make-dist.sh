#!/usr/bin/env bash
# make-dist.sh BIN DIST: lays out the shippable folder: the program, the
# language modules, the skin folders the build drew and described, the help
# file once it exists; the README and the licence texts of the libraries
# the program contains.
set -euo pipefail
bin=$1 dist=$2
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$dist"
for file in Tessaly.exe English.dll chinese.dll QL.chm; do
  [ -f "$bin/$file" ] && cp -u "$bin/$file" "$dist/"
done
for skin in "$bin"/*/; do
  [ -f "$skin/bg.bmp" ] && [ -f "$skin/Quorrel.ini" ] && cp -ru "${skin%/}" "$dist/"
done

# The program ships without the debugging sections that the libraries it
# links bring (about a third of its size); build/win/bin keeps them.
program=$dist/Tessaly.exe
if [ -f "$program" ] && i686-w64-mingw32-objdump -h "$program" | grep '\.debug_' >/dev/null; then
  i686-w64-mingw32-strip "$program"
fi

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
exit 0
