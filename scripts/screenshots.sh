#!/usr/bin/env bash
# screenshots.sh [OUT_DIR]: starts the real program from dist/ on a private
# display, once in English and once on a Chinese system (LC_ALL=zh_CN.UTF-8),
# and saves a picture of each window with a little desktop around it to
# OUT_DIR (docs/ by default) for the README; then the notification icon's
# menu in both languages and, in English, a piece of a JPEG wallpaper in 128
# colours and in full colour, the select-picture dialog on a folder of demo
# pictures with its preview, and the window on screens scaled to 100, 125,
# 150 and 200 % (LogPixels 96, 120, 144, 192). `make screenshots` builds
# first.
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
# A fresh desktop: one left running may still show a wallpaper of an
# earlier run, which would end up in the pictures.
"$root/scripts/wine-stop.sh" >/dev/null 2>&1 || true
start_wine_session

# A picture is shown and never changed by itself: every box and radio
# button is enabled, "Never" and "Center" are chosen.
wine reg delete 'HKCU\Software\Korvex\Tessaly' /f >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Korvex\Tessaly' /v ChangeMode /d 0 /f >/dev/null 2>&1
# The window opens where it was left: in the desktop's corner, where the
# pictures below are cut from.
wine reg add 'HKCU\Software\Korvex\Tessaly' /v WindowPos /d 0,0 /f >/dev/null 2>&1
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
  # Above the taskbar: room for the window at 200 %.
  convert "$out/.shot.png" -crop 1000x730+0+0 +repage -bordercolor "$desktop" -border 1 -trim +repage \
    -border 18 -strip "$out/$name"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "screenshots: $out/$name"
}

# Waits until the pixel at X,Y of the screen is none of COLOURS (hex
# values between bars) and the
# screen holds still, TRIES times a fifth of a second (100 by default).
wait_for_change() {
  local x=$1 y=$2 colour=$3 tries=${4:-100} previous="" current i
  for i in $(seq "$tries"); do
    sleep 0.2
    shot "$out/.shot.png"
    current=$(convert "$out/.shot.png" -crop 1024x768+0+0 +repage -format '%#' info:)
    if ! convert "$out/.shot.png" -crop 1x1+"$x"+"$y" +repage -format '%[hex:p{0,0}]' info: | grep -Eqi "^($colour)" &&
      [ "$current" = "$previous" ]; then
      return 0
    fi
    previous=$current
  done
  echo "screenshots: nothing came at $x,$y" >&2
  return 1
}

stop_program() {
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# The notification icon's menu. The virtual desktop is 1024x768 at the
# screen's corner; the taskbar paints the icon at its right end, found as
# the one thing on the taskbar's plain right part.
take_tray_menu() {
  local locale=$1 name=$2 pictures="$WINEPREFIX/drive_c/users/Public/Pictures/Tessaly demo"
  # A picture of the demo folder is shown, so every item of the menu's
  # picture part can be used.
  "$root/scripts/make-demo-pictures.sh" "$pictures"
  wine reg add 'HKCU\Software\Korvex\Tessaly' /v CurPicFileName /d "$(winepath -w "$pictures/1-morning.bmp")" /f >/dev/null 2>&1
  LC_ALL=$locale wine "$program" >/dev/null 2>&1 &
  local pid=$!
  wait_for_window
  local icon x y
  icon=$(convert "$out/.shot.png" -crop 200x20+824+748 +repage -format '%@' info:)
  [[ $icon =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || { echo "screenshots: no notification icon" >&2; return 1; }
  x=$((824 + BASH_REMATCH[3] + BASH_REMATCH[1] / 2))
  y=$((748 + BASH_REMATCH[4] + BASH_REMATCH[2] / 2))
  local desktop
  desktop=$(convert "$out/.shot.png" -crop 1x1+900+700 +repage -format '%[hex:p{0,0}]' info:)
  xdotool mousemove "$x" "$y" click 3
  # The menu opens above the icon, over the plain desktop.
  wait_for_change 1000 700 "$desktop"
  convert "$out/.shot.png" -crop 384x376+640+392 +repage -strip "$out/$name"
  xdotool key Escape
  stop_program "$pid"
  echo "screenshots: $out/$name"
}

# The select-picture dialog as ticking "Show wallpaper" opens it, on the
# demo pictures with the current one previewed. With "subfolders": two
# folders, the demo's with a dated tree below it, subfolders included, on a
# screen of `dpi`.
take_select_picture() {
  # In the prefix's public pictures, so the dialog shows a path a user might have.
  local name=$1 locale=${2:-en_US.UTF-8} mode=${3:-} dpi=${4:-96}
  local pictures="$WINEPREFIX/drive_c/users/Public/Pictures/Tessaly demo"
  "$root/scripts/make-demo-pictures.sh" "$pictures"
  local current="$pictures/4-dusk.png"
  if [ "$mode" = subfolders ]; then
    local holidays="$WINEPREFIX/drive_c/users/Public/Pictures/Holidays"
    mkdir -p "$pictures/2024/06" "$pictures/2024/07" "$holidays"
    cp -n "$pictures/1-morning.bmp" "$pictures/2024/06/IMG_0001.bmp"
    cp -n "$pictures/3-afternoon.jpg" "$pictures/2024/06/IMG_0002.jpg"
    cp -n "$pictures/5-night.gif" "$pictures/2024/07/IMG_0107.gif"
    cp -n "$pictures/2-noon.bmp" "$holidays/beach.bmp"
    current="$pictures/2024/06/IMG_0002.jpg"
    wine reg add 'HKCU\Software\Korvex\Tessaly' /v Folders /d "$(winepath -w "$pictures")|$(winepath -w "$holidays")" /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Korvex\Tessaly' /v IncludeSubfolders /d 1 /f >/dev/null 2>&1
  fi
  wine reg add 'HKCU\Software\Korvex\Tessaly' /v CurPicFileName /d "$(winepath -w "$current")" /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Korvex\Tessaly' /v Preview /d 1 /f >/dev/null 2>&1
  # No picture shown yet, so the tick opens the dialog.
  wine reg add 'HKCU\Control Panel\Desktop' /v Wallpaper /d '' /f >/dev/null 2>&1
  [ "$dpi" = 96 ] || wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  LC_ALL=$locale wine "$program" >/dev/null 2>&1 &
  local pid=$!
  wait_for_window
  local desktop
  desktop=$(convert "$out/.shot.png" -crop 1x1+900+600 +repage -format '%[hex:p{0,0}]' info:)
  # The check box, where the window's layout puts it (it grows with the
  # DPI). A click that comes while the window is still being made is lost:
  # click until the preview fills the panel's orange on the dialog's right.
  local click
  for click in 1 2 3; do
    xdotool mousemove $((39 * dpi / 96)) $((110 * dpi / 96)) click 1
    wait_for_change $((525 * dpi / 96)) $((200 * dpi / 96)) "FF8040|$desktop" 25 2>/dev/null && break
    [ "$click" = 3 ] && { echo "screenshots: the dialog did not open" >&2; return 1; }
  done
  # Only the dialog, which is centred over the window, and what little of
  # the window shows around it.
  convert "$out/.shot.png" -crop 1024x740+0+0 +repage -bordercolor "#$desktop" -border 1 -trim +repage \
    -border 18 -strip "$out/$name"
  xdotool key Escape
  stop_program "$pid"
  wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
  wine reg delete 'HKCU\Software\Korvex\Tessaly' /v Folders /f >/dev/null 2>&1 || true
  wine reg delete 'HKCU\Software\Korvex\Tessaly' /v IncludeSubfolders /f >/dev/null 2>&1 || true
  echo "screenshots: $out/$name"
}

# The demo's JPEG as the wallpaper, once as always (128 colours) and once in
# full colour: a piece of its sky, twice enlarged, shows the difference.
take_wallpaper() {
  local full=$1 name=$2 pictures="$WINEPREFIX/drive_c/users/Public/Pictures/Tessaly demo"
  "$root/scripts/make-demo-pictures.sh" "$pictures"
  # At each start the picture after 2-noon.bmp: 3-afternoon.jpg.
  wine reg add 'HKCU\Software\Korvex\Tessaly' /v ChangeMode /d 1 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Korvex\Tessaly' /v CurPicFileName /d "$(winepath -w "$pictures/2-noon.bmp")" /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Korvex\Tessaly' /v FullColour /d "$full" /f >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Desktop' /v Wallpaper /d 'C:\windows\Quorwall.bmp' /f >/dev/null 2>&1
  LC_ALL=en_US.UTF-8 wine "$program" >/dev/null 2>&1 &
  local pid=$!
  wait_for_window
  # The sky of the afternoon scene is orange to yellow.
  # It comes by itself at the start; give it a moment to hold still.
  sleep 3
  shot "$out/.shot.png"
  convert "$out/.shot.png" -crop 240x160+620+40 +repage -scale 200% -strip "$out/$name"
  stop_program "$pid"
  wine reg add 'HKCU\Control Panel\Desktop' /v Wallpaper /d 'C:\windows\Quorwall.bmp' /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Korvex\Tessaly' /v ChangeMode /d 0 /f >/dev/null 2>&1
  wine reg delete 'HKCU\Software\Korvex\Tessaly' /v FullColour /f >/dev/null 2>&1 || true
  echo "screenshots: $out/$name"
}

take en_US.UTF-8 screenshot-english.png
# The program reads the DPI at its start; the desktop around it stays at 96.
for dpi in 96 120 144 192; do
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  take en_US.UTF-8 "screenshot-dpi-$dpi.png"
done
wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
# The Chinese window with the desktop set to fit.
wine reg add 'HKCU\Control Panel\Desktop' /v WallpaperStyle /d 6 /f >/dev/null 2>&1
take zh_CN.UTF-8 screenshot-chinese.png
wine reg add 'HKCU\Control Panel\Desktop' /v WallpaperStyle /d 0 /f >/dev/null 2>&1
take_tray_menu en_US.UTF-8 screenshot-tray-menu.png
take_tray_menu zh_CN.UTF-8 screenshot-tray-menu-chinese.png
take_select_picture screenshot-select-picture.png
take_select_picture screenshot-select-picture-subfolders.png en_US.UTF-8 subfolders
take_select_picture screenshot-select-picture-subfolders-chinese.png zh_CN.UTF-8 subfolders
take_select_picture screenshot-select-picture-subfolders-150.png en_US.UTF-8 subfolders 144
take_select_picture screenshot-select-picture-subfolders-chinese-150.png zh_CN.UTF-8 subfolders 144
# Last: they leave the picture on the desktop, where the trimming of the
# other pictures would take it for part of the window.
take_wallpaper 0 wallpaper-128-colours.png
take_wallpaper 1 wallpaper-full-colour.png
rm -f "$out/.shot.png"
[ "$was_running" = 1 ] || "$root/scripts/wine-stop.sh" >/dev/null 2>&1
