#!/usr/bin/env bash
# wine-prefix.sh [win64]: creates one of the project's private Wine prefixes
# once and configures it: the 32-bit build/wine, or with "win64" the 64-bit
# build/wine64, where our program runs under WOW64. Every program runs
# inside a virtual desktop (a real taskbar and notification area, the same
# for tests and `make run`), and the Chinese dialog font is drawn with a CJK
# font Debian ships, so the Chinese resources show as text rather than boxes.
set -euo pipefail
if [ "${1:-}" = win64 ]; then
  source "$(dirname "$0")/wine64-env.sh"
else
  source "$(dirname "$0")/wine-env.sh"
fi
stamp="$WINEPREFIX/.tessaly-config-2"
[ -f "$stamp" ] && exit 0

echo "setup: preparing the Wine prefix ${WINEPREFIX#"$root"/}"
mkdir -p "$(dirname "$WINEPREFIX")"
ensure_display
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
reg_add() { wine reg add "$@" /f >/dev/null 2>&1; }
reg_add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
reg_add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
reg_add "$substitutes" /v SimSun /d "WenQuanYi Micro Hei"
reg_add "$substitutes" /v "宋体" /d "WenQuanYi Micro Hei"
touch "$stamp"
