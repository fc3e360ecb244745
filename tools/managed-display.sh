#!/bin/sh
# Runs a test program of a build folder on a display of its own where a
# window manager (openbox) manages the windows:
#   managed-display.sh <build folder> <program.exe> [arguments...]
# It runs in a Wine prefix of its own (<build folder>/wmprefix, made at the
# first run) with a server of its own: one Wine server does not serve
# windows on two displays, and there the prefix says that a window manager
# manages the windows. Exits 77 (skipped) without openbox.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build="$1"; program="$2"; shift 2
command -v openbox >/dev/null 2>&1 || { echo "openbox is not installed"; exit 77; }
. "$here/wine-session.sh"

WM_PID=""
stop_all() {
  wine_session_stop
  [ -n "$WM_PID" ] && kill "$WM_PID" >/dev/null 2>&1 || true
  [ -n "${OWN_XVFB:-}" ] && kill "$OWN_XVFB" >/dev/null 2>&1 || true
}
trap stop_all EXIT INT TERM
start_own_display
OWN_XVFB=$XVFB_PID
XVFB_PID=""
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

export PELLAMAR_WINEPREFIX="$build/wmprefix"
wine_session_start "$build" keep-display
trap stop_all EXIT INT TERM
"$build/wine-exec" "$program" "$@"
