#!/bin/sh
# Builds everything and runs every test under Wine. Needs Debian 12 and root
# (or sudo) the first time, to install the toolchain, Wine and Xvfb.
set -eu
top=$(cd "$(dirname "$0")" && pwd)
arch="${PELLAMAR_ARCH:-win64}"
build="${PELLAMAR_BUILD_ROOT:-$top/build}/$arch"
"$top/tools/install-deps.sh"

# The tests run on $arch; the 32-bit program is always built as well
# (PELLAMAR_SKIP_WIN32=1 skips that while working on one part).
# Arguments go to ctest, e.g. ./test.sh -R graph_tests
"$top/tools/build.sh" "$arch" -DPELLAMAR_BUILD_TESTS=ON
if [ "$arch" != win32 ] && [ -z "${PELLAMAR_SKIP_WIN32:-}" ]; then
  "$top/tools/build.sh" win32 -DPELLAMAR_BUILD_TESTS=OFF
fi

. "$top/tools/wine-session.sh"
wine_session_start "$build"
status=0
ctest --test-dir "$build" --output-on-failure -j "${PELLAMAR_JOBS:-$(nproc)}" "$@" || status=$?
exit $status
