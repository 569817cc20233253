#!/usr/bin/env bash
# Ends what wine-run.sh and wine64-run.sh left running: each prefix's
# wineserver (and with it every program in the prefix) and its private Xvfb.
for environment in wine-env.sh wine64-env.sh; do
  (
    source "$(dirname "$0")/$environment"
    [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
    if [ -f "$xvfb_pidfile" ]; then
      kill "$(cat "$xvfb_pidfile")" 2>/dev/null || true
      rm -f "$xvfb_pidfile"
    fi
  )
done
exit 0
