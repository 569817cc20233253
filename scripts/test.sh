#!/usr/bin/env bash
# test.sh BUILD_DIR: runs every test under one wineserver and one display,
# then takes both down. ctest's summary is the last thing printed.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
build=$1
start_wine_session || exit 1
ctest --test-dir "$build" -j2 --output-on-failure
status=$?
"$root/scripts/wine-stop.sh" >/dev/null 2>&1
exit $status
