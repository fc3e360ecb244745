#!/bin/sh
# Builds the program and runs it under Wine on Debian 12.
set -eu
top=$(cd "$(dirname "$0")" && pwd)
arch="${PELLAMAR_ARCH:-win64}"
build="${PELLAMAR_BUILD_ROOT:-$top/build}/$arch"
"$top/tools/install-deps.sh"
"$top/tools/build.sh" "$arch"

program="$build/app/Pellamar.exe"
if [ ! -f "$program" ]; then
  echo "The program's start-up is not built yet: there is nothing to run."
  exit 0
fi
. "$top/tools/wine-session.sh"
wine_session_start "$build" keep-display
"$build/wine-exec" "$program" "$@"
