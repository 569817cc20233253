#!/usr/bin/env bash
# modern-reference.sh CORPUS: decodes every file of CORPUS/files (gathered
# by modern-corpus.sh) with its library's own tool into CORPUS/reference:
# dwebp to PAM (alpha kept, no EXIF or profile applied), heif-convert and
# avifdec to PNG. A file the tool refuses gets no reference. ctest runs
# this before the image tests, which hold our readers against these.
set -uo pipefail
corpus=$(realpath -m "$1")
[ -d "$corpus/files" ] || exit 0
for tool in dwebp heif-convert avifdec; do
  command -v "$tool" >/dev/null || { echo "modern-reference: $tool missing (packages webp, libheif-examples, libavif-bin)"; exit 1; }
done
rm -rf "$corpus/reference" && mkdir -p "$corpus/reference"
for file in "$corpus"/files/*; do
  out="$corpus/reference/$(basename "$file")"
  case "${file,,}" in
    *.webp) timeout 60 dwebp -quiet -pam "$file" -o "$out.pam" ;;
    *.heic | *.heif | *.hif) timeout 60 heif-convert "$file" "$out.png" ;;
    *.avif) timeout 60 avifdec "$file" "$out.png" ;;
  esac >/dev/null 2>&1 || rm -f "$out".*
done
exit 0
