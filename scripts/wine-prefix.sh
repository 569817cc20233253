#!/usr/bin/env bash
# Creates the project's private 32-bit Wine prefix once and configures it:
# every program runs inside a virtual desktop (a real taskbar and
# notification area, the same for tests and `make run`), and the Chinese
# dialog font is drawn with a CJK font Debian ships, so the Chinese
# resources show as text rather than boxes.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
stamp="$WINEPREFIX/.tessaly-config-3"
[ -f "$stamp" ] && exit 0

echo "setup: preparing the Wine prefix build/wine"
mkdir -p "$(dirname "$WINEPREFIX")"
ensure_display
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
reg_add() { wine reg add "$@" /f >/dev/null 2>&1; }
reg_add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
reg_add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
reg_add "$substitutes" /v SimSun /d "WenQuanYi Micro Hei"
reg_add "$substitutes" /v "宋体" /d "WenQuanYi Micro Hei"
# Window captions are drawn in Tahoma, which Wine links to SimSun's file for
# Chinese text: a file of that name holding the CJK font, and a SimSun
# family made of it, let captions such as "Orvane Tessaly 安装" show.
ln -sf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$WINEPREFIX/drive_c/windows/Fonts/simsun.ttc"
reg_add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /d "WenQuanYi Micro Hei"
touch "$stamp"
