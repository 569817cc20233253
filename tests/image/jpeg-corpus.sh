#!/usr/bin/env bash
# jpeg-corpus.sh OUT: gathers into OUT/files every JPEG file (starting with
# the bytes FF D8 FF) of the Debian source packages whose test pictures the
# GIF corpus also draws on (giflib, gdk-pixbuf, pillow, imagemagick) and of
# libjpeg-turbo, which the program links: grey, colour, CMYK and YCCK
# files, every sampling, progressive and arithmetic-coded ones, and files
# cut short or damaged on purpose. image_codec_test decodes each of them
# with our quantiser and with libjpeg's own and wants the same pixels.
# Done once; redone when this script changes. Unpacked sources are removed
# again, only the JPEG files stay.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(realpath -m "$1")
stamp="$out/.made-$(sha1sum "$0" | cut -c1-12)"
[ -f "$stamp" ] && exit 0
echo "jpeg-corpus: gathering JPEG files into $out"
rm -rf "$out"
mkdir -p "$out/files" "$out/src"

for package in giflib gdk-pixbuf pillow imagemagick libjpeg-turbo; do
  src=$("$root/scripts/fetch-source.sh" "$package" "$out/src/$package")
  while IFS= read -r -d '' file; do
    [ "$(head -c3 "$file" | od -An -tx1 | tr -d ' \n')" = ffd8ff ] || continue
    relative=${file#"$src"/}
    cp "$file" "$out/files/$package-${relative//\//_}"
  done < <(find "$src" -type f -size -8M -print0)
  rm -rf "$out/src/$package"
done
rmdir "$out/src"
touch "$stamp"
