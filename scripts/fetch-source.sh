#!/usr/bin/env bash
# fetch-source.sh PACKAGE DEST: unpacks the Debian source package PACKAGE
# into DEST once and prints the directory it unpacked into. The newest
# version the archive still serves is taken: a mirror's deb-src index can
# list a security update whose files are not (yet) there.
set -euo pipefail
package=$1 dest=$2
mkdir -p "$dest"

find_unpacked() {
  find "$dest" -maxdepth 1 -mindepth 1 -type d -name "$package-*" | head -n1
}

dir=$(find_unpacked)
if [ -z "$dir" ]; then
  versions=$(apt-cache showsrc "$package" | sed -n 's/^Version: //p' | sort -rV | uniq)
  for version in $versions; do
    if (cd "$dest" && apt-get source -q "$package=$version" >/dev/null 2>&1); then
      break
    fi
  done
  dir=$(find_unpacked)
fi
[ -n "$dir" ] || { echo "fetch-source: no source of $package could be fetched" >&2; exit 1; }
echo "$dir"
