#!/bin/sh
# Configures and builds one architecture:
#   tools/build.sh <win64|win32> [--target <target>] [cmake options...]
# The build folder is $PELLAMAR_BUILD_ROOT/<arch> (default build/<arch>).
# Without --target everything is built. A build folder keeps the options it
# was configured with: a build of one target in a folder the test command
# configured leaves its test programs as they were.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
arch="$1"; shift
target=""
if [ "${1:-}" = --target ]; then
  target="$2"; shift 2
fi
case "$arch" in
  win64) toolchain="$top/cmake/toolchain-mingw-x86_64.cmake" ;;
  win32) toolchain="$top/cmake/toolchain-mingw-i686.cmake" ;;
  *) echo "unknown architecture $arch" >&2; exit 2 ;;
esac
dir="${PELLAMAR_BUILD_ROOT:-$top/build}/$arch"
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" "$@"
else
  cmake "$dir" "$@" >/dev/null
fi
cmake --build "$dir" -j "${PELLAMAR_JOBS:-$(nproc)}" ${target:+--target "$target"}
