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

# Saturated reds, greens and blues, where the profiles differ from sRGB most.
convert -size 600x400 -seed 7 plasma:red-blue -modulate 100,170 "$work/picture.ppm"
ours() { # IN OUT.ppm [--full-colour]
  wine "$root/build/win/bin/imgconv.exe" ${3:-} "$(winepath -w "$1")" "$(winepath -w "$work/ours.bmp")" >/dev/null
  convert "$work/ours.bmp" "$2"
}
printf '%-12s %-4s %-12s %-28s %s\n' profile type colours "ours vs reference" "profile ignored vs reference"
for profile in adobe-rgb display-p3; do
  for type in jpg png; do
    tagged="$work/$profile.$type"
    # A picture without a profile is given one as it is, not converted.
    convert "$work/picture.ppm" -quality 95 -profile "$work/$profile.icc" "$tagged"
    convert "$tagged" -intent Perceptual -profile "$work/srgb.icc" "$work/reference.ppm"
    convert "$tagged" +profile '*' "$work/ignored.ppm"
    ignored=$("$work/colour_reference" delta "$work/ignored.ppm" "$work/reference.ppm")
    for colours in 128 full; do
      [ "$type" = png ] && [ "$colours" = 128 ] && continue
      flag=""
      [ "$colours" = full ] && flag=--full-colour
      [ "$type" = png ] && colours="own (24-bit)"
      ours "$tagged" "$work/ours.ppm" $flag
      printf '%-12s %-4s %-12s %-28s %s\n' "$profile" "$type" "$colours" \
        "$("$work/colour_reference" delta "$work/ours.ppm" "$work/reference.ppm")" "$ignored"
    done
  done
done
