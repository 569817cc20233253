#!/usr/bin/env bash
# Creates the project's private 32-bit Wine prefix once, configured to run
# every program inside a virtual desktop (a real taskbar and notification
# area, the same for tests and `make run`).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
[ -f "$WINEPREFIX/.tessaly-ready" ] && exit 0

echo "setup: creating the Wine prefix build/wine"
mkdir -p "$(dirname "$WINEPREFIX")"
ensure_display
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wineserver -w
touch "$WINEPREFIX/.tessaly-ready"
