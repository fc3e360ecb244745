#!/bin/sh
# Builds everything and runs every test under Wine. Needs Debian 12 and root
# (or sudo) the first time, to install the toolchain, Wine and Xvfb.
set -eu
top=$(cd "$(dirname "$0")" && pwd)
arch="${PELLAMAR_ARCH:-win64}"
root="${PELLAMAR_BUILD_ROOT:-$top/build}"
"$top/tools/install-deps.sh"

# The tests run on $arch; the 32-bit program (the product) is always built
# as well, and its tests run too where the kernel runs 32-bit processes
# (tools/probe-win32.sh). PELLAMAR_SKIP_WIN32=1 skips the 32-bit build
# while working on one part. Arguments go to ctest, e.g. ./test.sh -R graph_tests
"$top/tools/build.sh" "$arch" -DPELLAMAR_BUILD_TESTS=ON
archs="$arch"
if [ "$arch" != win32 ] && [ -z "${PELLAMAR_SKIP_WIN32:-}" ]; then
  "$top/tools/build.sh" win32 -DPELLAMAR_BUILD_TESTS=OFF
  if "$top/tools/probe-win32.sh" "$root/win32"; then
    "$top/tools/build.sh" win32 -DPELLAMAR_BUILD_TESTS=ON
    archs="$arch win32"
  fi
fi

. "$top/tools/wine-session.sh"
status=0
for a in $archs; do
  echo "Testing the $a build"
  wine_session_start "$root/$a"
  # A program test that reads the screen while Wine's renderer re-makes its
  # drawable can wait in Xlib for ever (tests/app/ProgramWindowTest.cpp): a
  # test program that fails or times out runs once more, and the output
  # shows both runs.
  ctest --test-dir "$root/$a" --output-on-failure --repeat until-pass:2 \
    -j "${PELLAMAR_JOBS:-$(nproc)}" "$@" || status=$?
  wine_session_stop
done
echo "Builds tested: $archs"
exit $status
