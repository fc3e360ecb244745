#!/bin/sh
# Installs what building and running under Wine needs on Debian 12; installs
# only what is missing, so it is cheap to run every time.
set -eu
arch="${PELLAMAR_ARCH:-win64}"

# fonts-wine brings Wine's "Marlett", the symbol font of the menus' check
# marks and caption glyphs (only a recommendation of wine, which
# --no-install-recommends below would skip). xdotool gives the program
# tests clicks through the X server, as a person's mouse makes them.
packages="cmake ninja-build xvfb xauth x11-utils openbox xdotool googletest python3
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 fonts-wine libgl1 libgl1-mesa-dri
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good"
if [ "$arch" = win32 ]; then
  packages="$packages wine32:i386 libgl1:i386 libgl1-mesa-dri:i386
    gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386"
fi

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -qx "install ok installed" ||
    missing="$missing $p"
done
[ -n "$missing" ] || exit 0

echo "Installing:$missing"
sudo=""
[ "$(id -u)" = 0 ] || sudo=sudo
if [ "$arch" = win32 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
