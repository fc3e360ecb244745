#!/bin/sh
# Tells whether this machine can run the 32-bit build's tests: its kernel
# must run 32-bit processes, and 32-bit Wine must start. Prints why not and
# exits 1 when it cannot; installs 32-bit Wine first where the kernel can.
#   tools/probe-win32.sh <32-bit build folder>
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build="$1"

# A 93-byte 32-bit Linux program that only exits: a kernel without 32-bit
# support refuses it (Exec format error) before any package is installed.
elf=$(mktemp)
trap 'rm -f "$elf"' EXIT
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\061\333\315\200' >"$elf"
chmod +x "$elf"
if ! "$elf" 2>/dev/null; then
  echo "32-bit build: not tested - this kernel does not run 32-bit processes (Exec format error)"
  exit 1
fi

# The kernel can: start 32-bit Wine for real in the build's own prefix.
PELLAMAR_ARCH=win32 "$top/tools/install-deps.sh"
if [ ! -x "$build/wine-exec" ]; then
  echo "32-bit build: not tested - $build has no wine-exec"
  exit 1
fi
if ! WINEDEBUG=-all timeout 300 "$build/wine-exec" cmd.exe /c exit 0 >/dev/null 2>&1; then
  echo "32-bit build: not tested - 32-bit Wine does not start here"
  exit 1
fi
exit 0
