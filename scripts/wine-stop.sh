#!/usr/bin/env bash
# Ends what wine-run.sh left running: the wineserver (and with it every
# program in the prefix) and the private Xvfb.
source "$(dirname "$0")/wine-env.sh"
wineserver -k 2>/dev/null || true
if [ -f "$xvfb_pidfile" ]; then
  kill "$(cat "$xvfb_pidfile")" 2>/dev/null || true
  rm -f "$xvfb_pidfile"
fi
