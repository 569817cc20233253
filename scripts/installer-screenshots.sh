#!/usr/bin/env bash
# installer-screenshots.sh [FOLDER]: walks the installer and the uninstaller
# through their pages under Wine, in English and in Chinese, and saves the
# wizard at each page as FOLDER/installer-<language>-<n>-<page>.png
# (default build/screenshots). It installs for the user alone, as a user
# without administrator rights would, and removes the installation again,
# keeping the settings. Run it after `make dist`; it answers the pages with
# the keys a person would press.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
folder=${1:-$root/build/screenshots}
version=$(head -n1 "$root/VERSION")
setup=$root/build/win/packages/Tessaly-$version-setup.exe
[ -f "$setup" ] || { echo "installer-screenshots: no $setup; run make dist" >&2; exit 1; }
mkdir -p "$folder"
start_wine_session
desktop=$(xdotool search --name 'Wine desktop' | head -n1)

# The uninstaller asks about the settings only when there are some.
settings_key='HKCU\Software\Korvex\Tessaly'
made_settings=0
if ! wine reg query "$settings_key" >/dev/null 2>&1; then
  wine reg add "$settings_key" /v ChangeMode /d 0 /f >/dev/null 2>&1
  made_settings=1
fi

# The pages take a moment to draw on a busy machine.
pause() { sleep "${PAGE_DELAY:-3}"; }
# The wizard alone: the desktop without its taskbar, trimmed to what stands
# on the desktop's colour.
shot() {
  local raw=$folder/.desktop.png colour
  import -window "$desktop" "$raw"
  colour=$(convert "$raw" -crop 1x1+1000+5 +repage -format '#%[hex:p{0,0}]' info:)
  convert "$raw" -gravity south -chop 0x40 +repage -bordercolor "$colour" -border 1 -trim +repage -strip \
    "$folder/installer-$language-$1.png"
  rm -f "$raw"
}
press() { xdotool windowfocus "$desktop" key "$@"; }
# Installing takes a while on a busy machine, and the uninstaller hands
# over to a copy of itself at once: the uninstall entry, written last and
# removed last, tells when either is done.
entry_is() { # present|absent
  local i
  for i in $(seq 60); do
    if wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\OrvaneTessaly' >/dev/null 2>&1; then
      [ "$1" = present ] && return 0
    else
      [ "$1" = absent ] && return 0
    fi
    sleep 1
  done
}
# The settings question takes no keys from the virtual desktop, so its No
# button is clicked where it stands, below the middle of the desktop.
answer_no() { xdotool mousemove --window "$desktop" 548 418 click 1; }
uninstaller=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')'\Programs\Orvane Tessaly\Uninstall.exe'

for language in en zh; do
  case $language in
    en) locale=en_US.UTF-8 ;;
    zh) locale=zh_CN.UTF-8 ;;
  esac
  LC_ALL=$locale wine "$setup" >/dev/null 2>&1 &
  pause; shot 1-welcome
  # Wine runs every program with an administrator's rights, so the page
  # offers all users first; a standard user finds "Only for me" chosen.
  press Return; pause; press alt+m; pause; shot 2-users
  press Return; pause; shot 3-folder
  press Return; entry_is present; pause; shot 4-finish
  press alt+r Return # leave the program unstarted
  wait
  LC_ALL=$locale wine "$uninstaller" >/dev/null 2>&1 &
  pause; shot 5-uninstall
  press Return; pause; shot 6-settings-question
  answer_no; pause; shot 7-uninstalled
  press Return
  entry_is absent
done
[ "$made_settings" = 1 ] && wine reg delete "$settings_key" /f >/dev/null 2>&1
echo "installer-screenshots: $folder/installer-*.png"
