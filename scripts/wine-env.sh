# Sourced by the Wine scripts: the project's private Wine environment.
# Tests and `make run` never touch the user's own ~/.wine.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$root/build/wine"
export WINEARCH=win32
export WINEDEBUG=-all
# No Mono or Gecko installer prompts: the program needs neither. No menu
# entries on the host for the shortcuts the installer makes in the prefix.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
# A display number of this checkout's own, so two checkouts (or CI beside a
# developer's run) never share a private Xvfb. The number comes from the
# checkout's path; when another server already holds it (two paths can give
# the same number) the next free one is taken, and the choice is kept in
# build/xvfb.display for the later calls.
xvfb_pidfile="$root/build/xvfb.pid"
xvfb_display_file="$root/build/xvfb.display"
xvfb_display=:$((90 + $(printf '%s' "$root" | cksum | cut -d' ' -f1) % 400))
[ -f "$xvfb_display_file" ] && xvfb_display=$(cat "$xvfb_display_file")

xvfb_running() {
  [ -f "$xvfb_pidfile" ] && kill -0 "$(cat "$xvfb_pidfile")" 2>/dev/null
}

free_display() {
  local first=${xvfb_display#:} i number
  for i in $(seq 0 399); do
    number=$(((first - 90 + i) % 400 + 90))
    [ -e "/tmp/.X$number-lock" ] || { echo ":$number"; return 0; }
  done
  return 1
}

# Gives the scripts a display: the user's own, or a private Xvfb that stays
# up until scripts/wine-stop.sh (or the end of the test run) takes it down.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && [ "${TESSALY_PRIVATE_DISPLAY:-}" != 1 ]; then return 0; fi
  if xvfb_running; then
    export DISPLAY=$xvfb_display TESSALY_PRIVATE_DISPLAY=1
    return 0
  fi
  xvfb_display=$(free_display) || { echo "wine-env: no free display number" >&2; return 1; }
  mkdir -p "$root/build"
  echo "$xvfb_display" >"$xvfb_display_file"
  export DISPLAY=$xvfb_display TESSALY_PRIVATE_DISPLAY=1
  Xvfb "$xvfb_display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  echo $! >"$xvfb_pidfile"
  local i
  for i in $(seq 50); do
    xdpyinfo -display "$xvfb_display" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "wine-env: Xvfb did not start on $xvfb_display" >&2
  return 1
}

# One persistent wineserver for a whole run: each program start then costs
# about a tenth of a second instead of a server start-up.
ensure_wineserver() {
  wineserver -p >/dev/null 2>&1 </dev/null || true
}

# Starts the prefix's virtual desktop, and with it Wine's own services,
# detached from our output, and waits until both run: a Wine process
# started before that by a test would start them itself, holding the test's
# output pipe open, and ctest would wait for that pipe until its time-out.
start_wine_session() {
  ensure_display || return 1
  ensure_wineserver
  local pidfile="$WINEPREFIX-desktop.pid"
  if [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null; then return 0; fi
  wine explorer.exe /desktop=Default,1024x768 >/dev/null 2>&1 </dev/null &
  echo $! >"$pidfile"
  local i
  for i in $(seq 100); do
    prefix_runs 'services.exe' && prefix_runs 'explorer.exe /desktop' && return 0
    sleep 0.1
  done
  return 0
}

# Whether a Wine process of this prefix runs with `command` in its command
# line. The 32-bit and the 64-bit prefix run side by side, so the command
# line alone does not say whose it is: the process's WINEPREFIX does.
prefix_runs() {
  local pid
  for pid in $(pgrep -f "$1"); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

# For scripts with a prefix and display of their own (the benchmarks): ends
# that prefix's wineserver and the Xvfb this shell started. Set as an EXIT
# trap, so nobody else's Wine is taken down.
stop_private_wine() {
  wineserver -k 2>/dev/null || true
  if [ -f "$xvfb_pidfile" ]; then
    kill "$(cat "$xvfb_pidfile")" 2>/dev/null || true
    rm -f "$xvfb_pidfile"
  fi
}
