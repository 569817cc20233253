#!/usr/bin/env bash
# screenshots.sh [OUT_DIR]: starts the real program from dist/ on a private
# display, once in English and once on a Chinese system (LC_ALL=zh_CN.UTF-8),
# and saves a picture of each window with a little desktop around it to
# OUT_DIR (docs/ by default) for the README. `make screenshots` builds first.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
out=${1:-$root/docs}
program="$root/dist/Tessaly.exe"
[ -f "$program" ] || { echo "screenshots: build first (make build)" >&2; exit 1; }
mkdir -p "$out"

# Always the private Xvfb, so the pictures do not depend on the user's screen.
unset DISPLAY
was_running=0
[ -f "$root/build/wine-desktop.pid" ] && kill -0 "$(cat "$root/build/wine-desktop.pid")" 2>/dev/null && was_running=1
start_wine_session

# A picture is shown and never changed by itself: every box and radio
# button is enabled, "Never" and "Center" are chosen.
wine reg delete 'HKCU\Software\Korvex\Tessaly' /f >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Korvex\Tessaly' /v ChangeMode /d 0 /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v Wallpaper /d 'C:\windows\Quorwall.bmp' /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v TileWallpaper /d 0 /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v WallpaperStyle /d 0 /f >/dev/null 2>&1

shot() { import -display "$DISPLAY" -window root "$1" 2>/dev/null; }

# Waits until the window has drawn its skin and the screen holds still.
wait_for_window() {
  local previous="" current i
  for i in $(seq 100); do
    sleep 0.2
    shot "$out/.shot.png"
    current=$(convert "$out/.shot.png" -crop 480x400+0+0 +repage -format '%#' info:)
    # The panel colour of the skin at the middle of the window.
    if convert "$out/.shot.png" -crop 1x1+200+240 +repage -format '%[hex:p{0,0}]' info: | grep -qi '^FF8040' &&
      [ "$current" = "$previous" ]; then
      return 0
    fi
    previous=$current
  done
  echo "screenshots: the window did not settle" >&2
  return 1
}

# The window sits in the desktop's corner, and only its shape is seen: trim
# the desktop off and give the window an even margin of it instead.
take() {
  local locale=$1 name=$2
  LC_ALL=$locale wine "$program" >/dev/null 2>&1 &
  local pid=$!
  wait_for_window
  local desktop
  desktop=$(convert "$out/.shot.png" -crop 1x1+700+5 +repage -format '#%[hex:p{0,0}]' info:)
  convert "$out/.shot.png" -crop 600x500+0+0 +repage -bordercolor "$desktop" -border 1 -trim +repage \
    -border 18 -strip "$out/$name"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "screenshots: $out/$name"
}

take en_US.UTF-8 screenshot-english.png
take zh_CN.UTF-8 screenshot-chinese.png
rm -f "$out/.shot.png"
[ "$was_running" = 1 ] || "$root/scripts/wine-stop.sh" >/dev/null 2>&1
