#!/usr/bin/env bash
# run.sh PROGRAM: starts the program under Wine in the prefix's virtual
# desktop. Without a display it runs on a private Xvfb and saves a
# screenshot to build/run.png a few seconds after start.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
program=$1
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  echo "run: no DISPLAY; running on a private Xvfb ($xvfb_display), screenshot in build/run.png"
fi
start_wine_session || exit 1
wine "$program" &
pid=$!
if [ "$headless" = 1 ]; then
  sleep 6
  import -display "$DISPLAY" -window root "$root/build/run.png" 2>/dev/null &&
    echo "run: screenshot saved to build/run.png"
fi
wait $pid
status=$?
[ "$headless" = 1 ] && "$root/scripts/wine-stop.sh"
exit $status
