#!/usr/bin/env bash
# run.sh PROGRAM: starts the program under Wine in the prefix's virtual
# desktop. Without a display it runs on a private Xvfb and saves a
# screenshot to build/run.png a few seconds after start.
#
# A newcomer's first run: while the prefix holds no settings of the
# program's own (no settings key, or one whose current picture is gone, as
# the tests leave it), the program starts with a demo: pictures drawn into
# build/demo, shown stretched, changing every six seconds. DEMO=1 starts
# the demo whatever the settings; DEMO=0 never does.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
program=$1
demo_folder=$root/build/demo
settings_key='HKCU\Software\Korvex\Tessaly'
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  echo "run: no DISPLAY; running on a private Xvfb ($xvfb_display), screenshot in build/run.png"
fi
start_wine_session || exit 1

# The current picture the settings name, as a host path; empty when none.
current_picture() {
  local picture
  picture=$(wine reg query "$settings_key" /v CurPicFileName 2>/dev/null |
    sed -n 's/^ *CurPicFileName *REG_SZ *//p' | tr -d '\r')
  [ -n "$picture" ] && winepath -u "$picture" 2>/dev/null
}

wants_demo() {
  case "${DEMO:-}" in
    1) return 0 ;;
    0) return 1 ;;
  esac
  local picture
  picture=$(current_picture)
  [ -z "$picture" ] || [ ! -f "$picture" ]
}

# Settings of someone who shows the pictures of the demo folder, stretched,
# changing every 0.1 minutes; the desktop's values name the first picture,
# which is how the program knows that pictures are shown.
preset_demo() {
  "$root/scripts/make-demo-pictures.sh" "$demo_folder" || return 1
  local first reg
  first=$(winepath -w "$demo_folder/1-morning.bmp" | sed 's/\\/\\\\/g')
  reg=$(mktemp --suffix=.reg)
  cat >"$reg" <<EOF
REGEDIT4

[-HKEY_CURRENT_USER\\Software\\Korvex\\Tessaly]

[HKEY_CURRENT_USER\\Software\\Korvex\\Tessaly]
"AutoRun"="0"
"ChangeMode"="3"
"ChangeTime"="0.1"
"Today"="00000000"
"SetDefaultUser"="0"
"HideShowDesktopIcon"="0"
"Preview"="1"
"CurPicFileName"="$first"

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"Wallpaper"="$first"
"TileWallpaper"="0"
"WallpaperStyle"="2"
EOF
  wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
  local status=$?
  rm -f "$reg"
  return $status
}

screenshot_delay=6
if wants_demo; then
  if preset_demo; then
    echo "run: first run: the demo pictures in build/demo change the wallpaper every 6 seconds"
    echo "     (your own settings are used once you choose a picture; DEMO=0 skips the demo)"
    screenshot_delay=10 # after the first change
  else
    echo "run: the demo pictures could not be made; starting without them" >&2
  fi
fi

wine "$program" &
pid=$!
if [ "$headless" = 1 ]; then
  sleep "$screenshot_delay"
  import -display "$DISPLAY" -window root "$root/build/run.png" 2>/dev/null &&
    echo "run: screenshot saved to build/run.png"
fi
wait $pid
status=$?
[ "$headless" = 1 ] && "$root/scripts/wine-stop.sh"
exit $status
