#!/usr/bin/env bash
# modern-corpus.sh OUT: gathers into OUT/files every WebP (RIFF....WEBP),
# HEIF/HEIC and AVIF (an ISO media file whose ftyp box names the brand
# heic, heix, mif1, msf1, avif or avis) file of the Debian source packages
# that carry some: libwebp, libheif (its examples and its fuzzing corpus,
# damaged files on purpose), pillow and kimageformats (the eight
# orientations in AVIF). The readers' tests decode each with the program
# and with the library's own reference tool and want the same pixels.
# Done once; redone when this script changes. Unpacked sources are removed
# again, only the picture files stay.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(realpath -m "$1")
stamp="$out/.made-$(sha1sum "$0" | cut -c1-12)"
[ -f "$stamp" ] && exit 0
echo "modern-corpus: gathering WebP, HEIF and AVIF files into $out"
rm -rf "$out"
mkdir -p "$out/files" "$out/src"

# Reads NUL-separated paths and prints those whose first bytes make them
# one of the three formats.
pictures_among() {
  python3 -c '
import struct, sys
for path in sys.stdin.buffer.read().split(b"\0"):
    if not path:
        continue
    with open(path, "rb") as f:
        head = f.read(256)
    if head[:4] == b"RIFF" and head[8:12] == b"WEBP":
        print(path.decode())
    elif len(head) >= 16 and head[4:8] == b"ftyp":
        end = min(struct.unpack(">I", head[:4])[0], len(head))
        brands = {head[8:12]} | {head[i:i + 4] for i in range(16, end - 3, 4)}
        if brands & {b"heic", b"heix", b"mif1", b"msf1", b"avif", b"avis"}:
            print(path.decode())
'
}

for package in libwebp libheif pillow kimageformats; do
  src=$("$root/scripts/fetch-source.sh" "$package" "$out/src/$package")
  while IFS= read -r file; do
    relative=${file#"$src"/}
    cp "$file" "$out/files/$package-${relative//\//_}"
  done < <(find "$src" -type f -size -8M -print0 | pictures_among)
  rm -rf "$out/src/$package"
done
rmdir "$out/src"
touch "$stamp"
