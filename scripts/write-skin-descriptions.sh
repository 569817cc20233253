#!/usr/bin/env bash
# write-skin-descriptions.sh BIN_DIR FOLDER:MODULE:LOCALE...: runs skinini
# under Wine for each skin folder and each of its scales (the 100 % pictures
# in the folder, the others in a subfolder named by the scale), with the
# locale that gives the module's ANSI code page. The build calls it; a Wine session it had to start for
# this is taken down again afterwards.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
bin=$1
shift
session_pid="$root/build/wine-desktop.pid"
was_running=0
[ -f "$session_pid" ] && kill -0 "$(cat "$session_pid")" 2>/dev/null && was_running=1
start_wine_session
status=0
for entry in "$@"; do
  IFS=: read -r folder module locale <<<"$entry"
  for scale in 100 125 150 200; do
    name=$folder
    [ "$scale" = 100 ] || name="$folder\\$scale"
    LC_ALL=$locale wine "$bin/skinini.exe" "$name" "$module" "$scale" || status=1
  done
done
[ "$was_running" = 1 ] || "$root/scripts/wine-stop.sh" >/dev/null 2>&1
exit $status
