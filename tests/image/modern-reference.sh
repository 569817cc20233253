#!/usr/bin/env bash
# modern-reference.sh CORPUS: decodes every file of CORPUS/files (gathered
# by modern-corpus.sh) with its library's own tool into CORPUS/reference:
# dwebp to PAM (alpha kept, no EXIF or profile applied); heif-convert to
# PNG for HEIF and AVIF (libheif is what reads both here, AVIF through
# dav1d as ours does; avifdec's own colour conversion rounds otherwise), the
# primary picture where a file holds several. A file the tool refuses gets
# no reference. ctest runs
# this before the image tests, which hold our readers against these.
set -uo pipefail
corpus=$(realpath -m "$1")
[ -d "$corpus/files" ] || exit 0
for tool in dwebp heif-convert heif-info; do
  command -v "$tool" >/dev/null || { echo "modern-reference: $tool missing (packages webp, libheif-examples)"; exit 1; }
done
rm -rf "$corpus/reference" && mkdir -p "$corpus/reference"
for file in "$corpus"/files/*; do
  out="$corpus/reference/$(basename "$file")"
  case "${file,,}" in
    *.webp) timeout 60 dwebp -quiet -pam "$file" -o "$out.pam" ;;
    *.heic | *.heif | *.hif | *.avif) timeout 60 heif-convert -d dav1d "$file" "$out.png" ;;
  esac >/dev/null 2>&1 || rm -f "$out".*
  if [ -f "$out-1.png" ]; then # several pictures: heif-info lists them in the same order
    primary=$(heif-info "$file" 2>/dev/null | grep '^image:' | grep -n 'primary' | cut -d: -f1)
    [ -n "$primary" ] && mv "$out-$primary.png" "$out.png"
    rm -f "$out"-*.png
  fi
done
exit 0
