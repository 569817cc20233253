# Sourced instead of wine-env.sh for the 64-bit prefix build/wine64, where
# our 32-bit program runs under WOW64 as on every current Windows. It gets
# an Xvfb of its own, so its virtual desktop never lies over the 32-bit
# prefix's one and mouse input reaches the desktop it was meant for.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
export WINEPREFIX="$root/build/wine64"
export WINEARCH=win64
xvfb_pidfile="$root/build/xvfb64.pid"
xvfb_display_file="$root/build/xvfb64.display"
xvfb_display=:$((90 + ($(printf '%s' "$root" | cksum | cut -d' ' -f1) + 200) % 400))
if [ -f "$xvfb_display_file" ]; then xvfb_display=$(cat "$xvfb_display_file"); fi
