#!/usr/bin/env bash
# run.sh: the soak of bench/soak/main.cpp under a Wine prefix and a display
# of its own (build/soak), so it can run beside the tests and take its Wine
# down at the end without ending anyone else's. `make soak` runs it after
# the normal build. SOAK_CHANGES and SOAK_IDLE_SECONDS shorten a trial run.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
soak="$root/build/soak"
bin="$root/build/win/bin"
[ -f "$bin/soak.exe" ] || { echo "soak: build first (make build)" >&2; exit 1; }

source "$root/scripts/wine-env.sh"
mkdir -p "$soak"
# A copy of the test prefix that setup made: no Wine start-up of its own.
if [ ! -d "$soak/wine" ]; then
  cp -a "$root/build/wine" "$soak/wine"
fi
export WINEPREFIX="$soak/wine"
xvfb_pidfile="$soak/xvfb.pid"
xvfb_display_file="$soak/xvfb.display"
xvfb_display=:$((95 + $(printf '%s' "$root" | cksum | cut -d' ' -f1) % 300))
unset DISPLAY
trap stop_private_wine EXIT
start_wine_session

work="$soak/work"
rm -rf "$work"
echo "soak: $(wine --version), ${SOAK_CHANGES:-10000} changes, ${SOAK_IDLE_SECONDS:-600} idle seconds; samples in build/soak/work/samples.csv"
# The damaged pictures make libpng say so on the error output at each read.
wine "$bin/soak.exe" "Z:${work//\//\\}" "${SOAK_CHANGES:-10000}" "${SOAK_IDLE_SECONDS:-600}" 2> >(grep -v "^libpng error" >&2)
