#!/bin/sh
# Builds the program and runs it under Wine on Debian 12.
set -eu
top=$(cd "$(dirname "$0")" && pwd)
arch="${PELLAMAR_ARCH:-win64}"
"$top/tools/install-deps.sh"
"$top/tools/build.sh" "$arch"

program="$top/build/$arch/app/Pellamar.exe"
if [ ! -f "$program" ]; then
  echo "The program's start-up is not built yet: there is nothing to run."
  exit 0
fi
. "$top/tools/wine-session.sh"
wine_session_start "$top/build/$arch" keep-display
"$top/build/$arch/wine-exec" "$program" "$@"
