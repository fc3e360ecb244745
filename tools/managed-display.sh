#!/bin/sh
# Runs a test program of a build folder on a display of its own where a
# window manager (openbox) manages the windows, inside the test command's
# Wine session (its prefix and server):
#   managed-display.sh <wine-exec> <program.exe> [arguments...]
# The program runs as a copy named <name>_wm.exe, for which the prefix says
# that a window manager manages the windows; every other program of the
# prefix keeps Wine managing them itself, as on the shared bare display.
# Exits 77 (skipped) without openbox.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
wine_exec="$1"; program="$2"; shift 2
command -v openbox >/dev/null 2>&1 || { echo "openbox is not installed"; exit 77; }
. "$here/wine-session.sh"

WM_PID=""
stop_display() {
  [ -n "$WM_PID" ] && kill "$WM_PID" >/dev/null 2>&1 || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" >/dev/null 2>&1 || true
}
trap stop_display EXIT INT TERM
start_own_display
openbox --sm-disable >/dev/null 2>&1 &
WM_PID=$!
i=0
until window_manager_runs; do
  i=$((i + 1))
  if [ $i -gt 100 ] || ! kill -0 "$WM_PID" 2>/dev/null; then
    echo "openbox did not come up on $DISPLAY" >&2
    exit 1
  fi
  sleep 0.1
done

name=$(basename "$program" .exe)_wm.exe
copy="$(dirname "$program")/$name"
cp "$program" "$copy"
"$wine_exec" reg add "HKCU\\Software\\Wine\\AppDefaults\\$name\\X11 Driver" /v Managed /d Y /f >/dev/null
"$wine_exec" "$copy" "$@"
