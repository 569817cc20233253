#!/usr/bin/env bash
# make-dist.sh BIN DIST: lays out the shippable folder: the program, the
# language modules, the skin folders the build drew and described, and the
# help file once it exists.
set -euo pipefail
bin=$1 dist=$2
mkdir -p "$dist"
for file in Tessaly.exe English.dll chinese.dll QL.chm; do
  [ -f "$bin/$file" ] && cp -u "$bin/$file" "$dist/"
done
for skin in "$bin"/*/; do
  [ -f "$skin/bg.bmp" ] && [ -f "$skin/Quorrel.ini" ] && cp -ru "${skin%/}" "$dist/"
done
exit 0
