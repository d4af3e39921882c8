#!/usr/bin/env bash
# install-deps.sh -- installs the Debian packages a command needs; does nothing when all are there
#
# Usage: install-deps.sh [play | desktop | web | all]     (all when none is named)
#   play     make run: the Windows game cross-built and played under Wine, and
#            the attract sequence on a virtual display with its screenshots
#   desktop  make run-desktop: the Linux game on SDL2
#   web      make run-web: the browser game built by emscripten and served locally
#   all      make test and every other command: every toolchain and test layer
set -euo pipefail
# Each list names every package its commands use: nothing merely recommended is
# installed, ever. apt adds no recommends to a package that is already there,
# so a list that leaned on one would break whenever another list came first.
play=(
    cmake make
    g++-mingw-w64-x86-64-posix
    wine64 wine fonts-wine libxcursor1 libxfixes3
    xvfb x11-utils xdotool imagemagick
    python3
)
desktop=(cmake make g++ libsdl2-dev libx11-dev libgl-dev libgl1-mesa-dri)
web=(cmake make emscripten node-acorn nodejs python3)
all=(
    "${play[@]}" "${desktop[@]}" "${web[@]}"
    clang libclang-rt-14-dev
    googletest
    mingw-w64
    x11-xserver-utils openbox procps
    libosmesa6-dev libxtst-dev
    libbenchmark-dev
    binutils-mingw-w64-x86-64
    zip
    dpkg-dev lintian desktop-file-utils appstream
    chromium
    ca-certificates
)
case "${1:-all}" in
    play) packages=("${play[@]}") ;;
    desktop) packages=("${desktop[@]}") ;;
    web) packages=("${web[@]}") ;;
    all) packages=("${all[@]}") ;;
    *) echo "usage: install-deps.sh [play | desktop | web | all]" >&2; exit 2 ;;
esac
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
# The browser tests' npm, which reaches its registry over TLS with the system's
# certificates; a Node.js from elsewhere may bring its own npm.
if [ "${1:-all}" = all ] && ! command -v npm >/dev/null 2>&1; then
    missing+=(npm)
fi
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
