# Sourced by test.sh and run.sh: starts Xvfb and a persistent wineserver for
# one build folder, and stops both on exit.
#   wine_session_start <build folder> [keep-display] [file-writer] [light-renderer]
# With keep-display an existing $DISPLAY is used instead of a new Xvfb.
# With file-writer the stand-ins' stream writer answers for Wine's File
# Writer in this prefix (Wine's takes no stream writes from its AVI Mux, so
# a program recording AVI writes nothing through it), and their AVI
# multiplexer for Wine's AVI Mux (which takes no sound); the test prefix
# keeps Wine's own, which the graph tests look at.
# With light-renderer Direct3D draws without its worker thread in this
# prefix, and Mesa on one thread (LP_NUM_THREADS, exported): the preview
# then costs a quarter to a fifth of the processor time. Only the run command
# asks for it: the test prefix keeps Wine's defaults, under which the
# program tests of the on-screen menu hold (without the worker thread one
# hung in two of three full runs).

# Whether a window manager runs on $DISPLAY: one that follows the desktop
# conventions names a check window on the root window, and that window
# names itself.
window_manager_runs() {
  check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # \(0x[0-9a-fA-F]*\).*/\1/p')
  [ -n "$check" ] || return 1
  xprop -id "$check" _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -qi "window id # $check"
}

# An Xvfb of our own on a free display number (no socket and no lock
# file); when another run takes the same number at the same moment, our
# server dies: try the next. Sets XVFB_PID and exports DISPLAY.
start_own_display() {
  n=90
  while :; do
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    i=0
    while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
    sleep 0.2
    kill -0 "$XVFB_PID" 2>/dev/null && break
    n=$((n + 1))
  done
  export DISPLAY=":$n"
}

wine_session_start() {
  build="$1"; shift
  keep_display=N; file_writer=N; light_renderer=N
  for option in "$@"; do
    case "$option" in
      keep-display) keep_display=Y ;;
      file-writer) file_writer=Y ;;
      light-renderer) light_renderer=Y ;;
      *) echo "wine_session_start: unknown option $option" >&2; return 2 ;;
    esac
  done
  trap wine_session_stop EXIT INT TERM
  managed=N
  if [ "$keep_display" = Y ] && [ -n "${DISPLAY:-}" ]; then
    # On a display with a window manager it manages the windows; on a bare
    # one Wine must, or minimise does nothing and full screen stays black.
    if window_manager_runs; then managed=Y; fi
  else
    start_own_display
  fi

  # wine-exec carries the prefix and the environment; the first start of a
  # new prefix creates it (about 15 s).
  WINE_EXEC="$build/wine-exec"
  eval "$(sed -n 's/^export \(WINEPREFIX\|WINEARCH\)=/export \1=/p' "$WINE_EXEC")"
  loader=$(sed -n 's/^exec \([^ ]*\) .*/\1/p' "$WINE_EXEC")
  case "$loader" in
    *64) WINESERVER=$(dirname "$loader")/wineserver64 ;;
    *) WINESERVER=$(dirname "$loader")/wineserver32 ;;
  esac
  [ -x "$WINESERVER" ] || WINESERVER=$(dirname "$loader")/wineserver
  # One persistent server for the whole session; a server left from an
  # earlier run of this prefix is replaced.
  mkdir -p "$WINEPREFIX"
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -p
  # Marks the prefix as one whose session runs, for as long as this shell
  # runs (wine-exec sends the remote's key tool to the run command's).
  SESSION_MARK="$WINEPREFIX/.pellamar-session"
  echo $$ >"$SESSION_MARK"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
  fi
  "$WINE_EXEC" wineboot -i >/dev/null 2>&1 || true
  # Debian's Wine 8 looks for its own fonts under a path it cannot resolve,
  # so "Marlett" (fonts-wine), which menus draw check marks and caption
  # glyphs with, is found only in the prefix's font folder.
  fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/" || true
  fi
  # Xvfb runs no window manager: Wine would wait up to 2 s for one each time
  # a managed window is hidden, and draw no frame on it. Under our own Xvfb,
  # and on any display without a window manager, Wine manages the windows
  # itself; where a window manager runs, it does.
  "$WINE_EXEC" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null 2>&1 || true
  # Set either way: a prefix keeps what an earlier session wrote into it.
  csmt=1
  if [ "$light_renderer" = Y ]; then
    csmt=0
    export LP_NUM_THREADS="${LP_NUM_THREADS:-0}"
  fi
  "$WINE_EXEC" reg add 'HKCU\Software\Wine\Direct3D' /v csmt /t REG_DWORD /d $csmt /f >/dev/null 2>&1 || true
  # The virtual capture card stands in for a card on machines without one,
  # and the stand-ins for the helper filters Wine lacks; both are registered
  # in this prefix only (the program never registers them).
  for dll in platform/virtualcard/VirtualCard.dll platform/standins/Standins.dll; do
    if [ -f "$build/$dll" ]; then
      "$WINE_EXEC" regsvr32 /s "Z:$(printf '%s' "$build/$dll" | tr / '\\')" ||
        echo "Registering $dll in $WINEPREFIX failed" >&2
    fi
  done
  standins="$build/platform/standins/Standins.dll"
  if [ "$file_writer" = Y ] && [ -f "$standins" ]; then
    # The File Writer, and the AVI Mux (Wine's takes no sound).
    for clsid in 8596E5F0-0DA5-11D0-BD21-00A0C911CE86 E2510970-F137-11CE-8B67-00AA00A3F1A6; do
      key="HKLM\\Software\\Classes\\CLSID\\{$clsid}\\InprocServer32"
      { "$WINE_EXEC" reg add "$key" /ve /d "Z:$(printf '%s' "$standins" | tr / '\\')" /f &&
        "$WINE_EXEC" reg add "$key" /v ThreadingModel /d Both /f; } >/dev/null 2>&1 ||
        echo "Putting the stand-ins in place of the File Writer and the AVI Mux in $WINEPREFIX failed" >&2
    done
  fi
}

wine_session_stop() {
  [ -n "${SESSION_MARK:-}" ] && rm -f "$SESSION_MARK" || true
  [ -n "${WINESERVER:-}" ] && "$WINESERVER" -k >/dev/null 2>&1 || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" >/dev/null 2>&1 || true
  WINESERVER=""; XVFB_PID=""; SESSION_MARK=""
}
