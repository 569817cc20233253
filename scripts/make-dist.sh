#!/usr/bin/env bash
# make-dist.sh BIN DIST: lays out the shippable folder: the program, the
# language modules and, once they exist, the skins and the help file.
set -euo pipefail
bin=$1 dist=$2
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$dist"
for file in Tessaly.exe English.dll chinese.dll QL.chm; do
  [ -f "$bin/$file" ] && cp -u "$bin/$file" "$dist/"
done
for skin in "$root"/resources/skins/*/; do
  [ -d "$skin" ] && cp -ru "$skin" "$dist/"
done
exit 0
