#!/usr/bin/env bash
# make-demo-pictures.sh FOLDER: draws the demo's pictures into FOLDER (once;
# later runs keep them): five desktop-sized scenes, two BMP, a JPEG, a PNG
# and a GIF, in the order the program walks a folder. Each names itself and
# its format, so a person sees which one the desktop shows.
set -euo pipefail
folder=$1
mkdir -p "$folder"

# NAME SKY_TOP SKY_LOW HILLS SUN CAPTION
scene() {
  local file=$folder/$1 top=$2 low=$3 hills=$4 sun=$5 caption=$6
  [ -f "$file" ] && return 0
  local format=${file##*.}
  [ "$format" = bmp ] && format=BMP3
  convert -size 1024x768 "gradient:$top-$low" \
    -fill "$sun" -draw "circle 760,230 760,300" \
    -fill "$hills" -draw "ellipse 250,820 520,260 180,360" -draw "ellipse 820,860 560,280 180,360" \
    -fill '#00000060' -draw "roundrectangle 40,660 600,730 16,16" \
    -fill white -pointsize 34 -gravity southwest -annotate +64+50 "$caption" \
    -depth 8 "$format:$file.part"
  mv "$file.part" "$file"
}

scene 1-morning.bmp '#8ec5fc' '#e0f7ff' '#4caf50' '#fff3b0' 'Orvane Tessaly demo 1/5: BMP'
scene 2-noon.bmp '#2f80ed' '#b3e5fc' '#2e7d32' '#ffd54f' 'Orvane Tessaly demo 2/5: BMP'
scene 3-afternoon.jpg '#f7971e' '#ffd200' '#827717' '#fff8e1' 'Orvane Tessaly demo 3/5: JPEG'
scene 4-dusk.png '#41295a' '#ff7e5f' '#1b5e20' '#ffab91' 'Orvane Tessaly demo 4/5: PNG'
scene 5-night.gif '#0f2027' '#2c5364' '#10281a' '#fffde7' 'Orvane Tessaly demo 5/5: GIF'
