#!/usr/bin/env bash
# gif-corpus.sh OUT: gathers the GIF files that gif_conformance holds the
# decoder against giflib with, into OUT/files:
#   debian/PACKAGE/  every file starting "GIF8" in the Debian source packages
#                    of giflib, gdk-pixbuf, pillow and imagemagick (their
#                    test pictures, many of them made to break decoders);
#   encoded/         pictures written by ImageMagick and gifsicle: full
#                    tables, deferred clear codes, interlacing, local tables,
#                    frames smaller than the screen, every minimum code size.
# Done once; redone when this script changes. The unpacked sources are
# removed again, only the GIF files stay.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(realpath -m "$1")
stamp="$out/.made-$(sha1sum "$0" | cut -c1-12)"
[ -f "$stamp" ] && exit 0
echo "gif-corpus: gathering GIF files into $out"
rm -rf "$out"
mkdir -p "$out/files/debian" "$out/files/encoded" "$out/src"

for package in giflib gdk-pixbuf pillow imagemagick; do
  src=$("$root/scripts/fetch-source.sh" "$package" "$out/src/$package")
  mkdir -p "$out/files/debian/$package"
  while IFS= read -r -d '' file; do
    [ "$(head -c4 "$file" | tr -d '\0')" = GIF8 ] || continue
    relative=${file#"$src"/}
    cp "$file" "$out/files/debian/$package/${relative//\//_}"
  done < <(find "$src" -type f -size -8M -print0)
  rm -rf "$out/src/$package"
done
rmdir "$out/src"

cd "$out/files/encoded"
im() { convert "$@"; }
# Single pictures from ImageMagick's built-in images and generators.
im rose: rose-256.gif
im rose: -interlace GIF rose-interlaced.gif
im rose: -colors 16 rose-16.gif
im rose: -colors 5 rose-5.gif
im rose: -monochrome rose-2.gif
im wizard: -resize 50% -colors 64 -interlace GIF wizard-64-interlaced.gif
im granite: granite.gif
im logo: -resize 50% -transparent white logo-transparent.gif
im netscape: -transparent '#ffffff' netscape-transparent.gif
im -seed 3 -size 640x480 plasma:fractal plasma-640x480.gif
im -seed 5 -size 800x600 xc: +noise Random -colors 256 noise-256.gif
im -seed 6 -size 400x300 xc: +noise Random -colors 32 -interlace GIF noise-32-interlaced.gif
im -size 1000x700 gradient:navy-gold -colors 128 gradient-128.gif
im -size 900x600 pattern:hexagons -colors 4 hexagons-4.gif
im -size 1x300 gradient: -colors 32 column.gif
im -size 300x1 gradient: -colors 32 row.gif
for height in 1 2 3 4 5 6 7 8 9 17; do
  im rose: -resize "70x$height!" -interlace GIF "rose-interlaced-h$height.gif"
done
# Animations: frames of their own sizes and tables, and optimised ones whose
# later frames cover only what changed.
im \( rose: -colors 16 \) \( wizard: -resize 40% -colors 64 \) \( granite: -colors 8 \) -delay 10 \
  animation-local-tables.gif
im -seed 7 -size 200x150 plasma:fractal +dither -colors 64 \( +clone -fill red -draw 'rectangle 20,10 60,40' \) \
  \( +clone -fill blue -draw 'circle 150,100 170,110' \) \( +clone -fill yellow -draw 'rectangle 0,140 199,149' \) \
  -delay 10  -layers Optimize animation-optimised.gif
im -size 640x360 -seed 8 plasma:fractal \( +clone -blur 0x6 \) \( +clone -roll +320+0 \) -colors 256 \
  -delay 10 -interlace GIF animation-640x360.gif

# gifsicle re-encodes: it keeps a full table as long as it pays (deferred
# clear codes), and writes lossy streams, crops and rotations of its own.
gs() { gifsicle --no-warnings "$@"; }
gs -O2 hexagons-4.gif -o gifsicle-hexagons-deferred.gif
gs -O2 gradient-128.gif -o gifsicle-gradient.gif
gs -O3 animation-optimised.gif -o gifsicle-animation-O3.gif
gs -U animation-optimised.gif -o gifsicle-animation-unoptimised.gif
gs --lossy=80 plasma-640x480.gif -o gifsicle-plasma-lossy.gif
gs --lossy=200 -O3 animation-640x360.gif -o gifsicle-animation-lossy.gif
gs -i noise-256.gif -o gifsicle-noise-interlaced.gif
gs --colors 7 rose-256.gif -o gifsicle-rose-7.gif
gs --colors 3 wizard-64-interlaced.gif -o gifsicle-wizard-3.gif
gs --careful plasma-640x480.gif -o gifsicle-plasma-careful.gif
gs --crop 10,5+40x30 animation-local-tables.gif -o gifsicle-animation-cropped.gif
gs --rotate-90 -i animation-optimised.gif -o gifsicle-animation-rotated.gif
gs --transparent '#000000' -O2 animation-640x360.gif -o gifsicle-animation-transparent.gif

touch "$stamp"
