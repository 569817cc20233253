#!/usr/bin/env bash
# wine-prefix.sh [win64]: creates one of the project's private Wine prefixes
# once and configures it: the 32-bit build/wine, or with "win64" the 64-bit
# build/wine64, where our program runs under WOW64. Every program runs
# inside a virtual desktop (a real taskbar and notification area, the same
# for tests and `make run`), and the Chinese dialog font is drawn with a CJK
# font Debian ships, so the Chinese resources show as text rather than boxes.
# The interface fonts (menus, captions, the default GUI font) link to the
# same font for the characters they lack, as Chinese Windows links its own
# fonts to SimSun.
set -euo pipefail
if [ "${1:-}" = win64 ]; then
  source "$(dirname "$0")/wine64-env.sh"
else
  source "$(dirname "$0")/wine-env.sh"
fi
stamp="$WINEPREFIX/.tessaly-config-8"
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
# Window captions are drawn in Tahoma, which Wine links to SimSun's file for
# Chinese text: a file of that name holding the CJK font, and a SimSun
# family made of it, let captions such as "Orvane Tessaly 安装" show.
ln -sf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$WINEPREFIX/drive_c/windows/Fonts/simsun.ttc"
reg_add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /d "WenQuanYi Micro Hei"
# Caption buttons are glyphs of Marlett; without the font in the prefix the
# close button shows the letter "r".
ln -sf /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
# Menus are drawn in the menu font, which a Chinese system gives other
# faces; each interface face links to the CJK font for what it lacks.
links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "MS Sans Serif" "Liberation Sans" "Liberation Sans Bold" Arial "Tahoma Bold"; do
  reg_add "$links" /v "$face" /t REG_MULTI_SZ /d "wqy-microhei.ttc,WenQuanYi Micro Hei"
done
# Wine links the profile's Desktop, Documents, Pictures ... to the Unix
# home; a test that opens the Pictures folder would then list (and a folder
# browser crawl) the developer's whole home. Each is a folder of the prefix
# instead, as on Windows; a file in it keeps Wine from linking it again
# (it replaces only an empty folder).
profile="$WINEPREFIX/drive_c/users/$(id -un)"
for folder in Desktop Documents Downloads Music Pictures Videos; do
  [ -L "$profile/$folder" ] && rm "$profile/$folder"
  mkdir -p "$profile/$folder"
  touch "$profile/$folder/desktop.ini"
done
# Let the prefix's first session end, which also saves the registry: a
# desktop started right after would otherwise meet the one the set-up
# started before the desktop settings above were written. A session that
# does not end is ended, unstamped, so the next call writes the settings
# again.
if ! timeout 60 wineserver -w; then
  wineserver -k
  exit 0
fi
touch "$stamp"
