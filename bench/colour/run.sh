#!/usr/bin/env bash
# bench/colour/run.sh: our colour-profile conversion against ImageMagick's
# (Little CMS, perceptual intent) on one colourful picture tagged Adobe RGB
# (1998) and Display P3, as JPEG and PNG, in 128 colours and in full colour:
# the mean and largest CIEDE2000 difference, and for scale the same of the
# picture read without its profile. Goal: mean <= 2. Needs a `make build`.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work="$root/build/colour-bench"
lcms="$(ls -d "$root"/build/deps/src/lcms2-*/ | head -n1)"
mkdir -p "$work"
gcc -O2 -I"$lcms/include" "$root/bench/colour/colour_reference.c" "$lcms"/src/*.c -lm -o "$work/colour_reference"
"$work/colour_reference" profiles "$work"
source "$root/scripts/wine-env.sh"
start_wine_session >/dev/null

# Every hue at full saturation from light to dark, where the profiles differ
# from sRGB most, with a little plasma for the texture of a photo.
convert \( -size 400x600 gradient:white-black -rotate 90 \) \( -size 600x400 xc:white \) \
  \( -size 600x400 gradient:'gray(85%)'-'gray(15%)' \) -set colorspace HSL -combine -colorspace sRGB \
  \( -size 600x400 -seed 7 plasma:gray50-gray50 \) -compose overlay -composite -depth 8 "$work/picture.ppm"
# Dithered pictures are also compared as the eye sees them: 4 x 4 blocks averaged.
delta() { # A.ppm B.ppm
  local plain averaged
  plain=$("$work/colour_reference" delta "$1" "$2")
  convert "$1" -scale 25% -depth 8 "$work/a4.ppm"
  convert "$2" -scale 25% -depth 8 "$work/b4.ppm"
  averaged=$("$work/colour_reference" delta "$work/a4.ppm" "$work/b4.ppm")
  echo "$plain (4x4: ${averaged#mean })"
}
ours() { # IN OUT.ppm [--full-colour]
  wine "$root/build/win/bin/imgconv.exe" ${3:-} "$(winepath -w "$1")" "$(winepath -w "$work/ours.bmp")" >/dev/null
  convert "$work/ours.bmp" -depth 8 "$2"
}
printf '%-12s %-4s %-12s %-50s %s\n' profile type colours "ours vs reference" "profile ignored vs reference"
# The floor: an untagged JPEG in 128 colours against the picture it holds.
convert "$work/picture.ppm" -quality 95 "$work/none.jpg"
convert "$work/none.jpg" -depth 8 "$work/none.ppm"
ours "$work/none.jpg" "$work/ours.ppm"
printf '%-12s %-4s %-12s %-50s %s\n' none jpg 128 "$(delta "$work/ours.ppm" "$work/none.ppm")" -
for profile in adobe-rgb display-p3; do
  for type in jpg png; do
    tagged="$work/$profile.$type"
    # A picture without a profile is given one as it is, not converted.
    convert "$work/picture.ppm" -quality 95 -profile "$work/$profile.icc" "$tagged"
    convert "$tagged" -intent Perceptual -profile "$work/srgb.icc" -depth 8 "$work/reference.ppm"
    convert "$tagged" +profile '*' -depth 8 "$work/ignored.ppm"
    ignored=$(delta "$work/ignored.ppm" "$work/reference.ppm")
    for colours in 128 full; do
      [ "$type" = png ] && [ "$colours" = 128 ] && continue
      flag=""
      [ "$colours" = full ] && flag=--full-colour
      [ "$type" = png ] && colours="own (24-bit)"
      ours "$tagged" "$work/ours.ppm" $flag
      printf '%-12s %-4s %-12s %-50s %s\n' "$profile" "$type" "$colours" \
        "$(delta "$work/ours.ppm" "$work/reference.ppm")" "$ignored"
    done
  done
done
