#!/bin/sh
# Mounts or unmounts the small disk (a tmpfs) of a full-disk test; ctest runs
# it around the test (pellamar_small_disk in cmake/PellamarTargets.cmake).
# Never fails: where no tmpfs can be mounted the test skips and says why.
#   small-disk.sh mount <folder> <size>   |   small-disk.sh unmount <folder>
set -u
action=$1
dir=$2
size=${3:-512k}
run() { "$@" 2>/dev/null || { command -v sudo >/dev/null && sudo -n "$@" 2>/dev/null; }; }
case "$action" in
mount)
  mkdir -p "$dir"
  if mountpoint -q "$dir"; then run umount -l "$dir"; fi
  if run mount -t tmpfs -o "size=$size,mode=0777" pellamar-small-disk "$dir"; then
    echo "small disk of $size at $dir"
  else
    echo "small disk: no tmpfs could be mounted at $dir; the full-disk tests skip"
  fi
  ;;
unmount)
  if mountpoint -q "$dir"; then run umount -l "$dir"; fi
  ;;
esac
exit 0
