#!/bin/sh
# Builds the program and runs it under Wine on Debian 12.
set -eu
top=$(cd "$(dirname "$0")" && pwd)
arch="${PELLAMAR_ARCH:-win64}"
build="${PELLAMAR_BUILD_ROOT:-$top/build}/$arch"
"$top/tools/install-deps.sh"
# The program and what its run needs; the test programs are the test
# command's to build.
"$top/tools/build.sh" "$arch" --target pellamar_run

program="$build/app/Pellamar.exe"
if [ ! -f "$program" ]; then
  echo "$program was not built." >&2
  exit 1
fi
# A first start on the virtual card: settings and a channel list that tune
# one of its carriers. A person's own files, once written, are kept.
for file in TVParam.ini TVChannel.tvc; do
  [ -f "$build/app/$file" ] || cp "$top/tools/run/$file" "$build/app/$file"
done
# The run keeps a prefix of its own: there the stand-ins' stream writer
# takes the File Writer's place, so that recordings are written.
export PELLAMAR_WINEPREFIX="$build/runprefix"
. "$top/tools/wine-session.sh"
wine_session_start "$build" keep-display file-writer light-renderer
"$build/wine-exec" "$program" "$@"
