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
play=(
    cmake make
    g++-mingw-w64-x86-64-posix
    wine64 wine fonts-wine libxcursor1 libxfixes3
    xvfb x11-utils xdotool imagemagick
    python3
)
desktop=(cmake make g++ libsdl2-dev)
web=(cmake make emscripten node-acorn nodejs python3)
all=(
    "${play[@]}" "${desktop[@]}" "${web[@]}"
    clang libclang-rt-14-dev
    googletest
    mingw-w64
    x11-xserver-utils
    libgl1-mesa-dri libgl-dev libosmesa6-dev libxtst-dev
    libbenchmark-dev
    binutils-mingw-w64-x86-64
    zip
    dpkg-dev lintian desktop-file-utils appstream
    chromium
)
# The commands that play install nothing merely recommended: a fresh machine
# gets the game quickly (Wine alone recommends codecs, printing and scanning).
lean=(--no-install-recommends)
case "${1:-all}" in
    play) packages=("${play[@]}") ;;
    desktop) packages=("${desktop[@]}") ;;
    web) packages=("${web[@]}") ;;
    all) packages=("${all[@]}"); lean=() ;;
    *) echo "usage: install-deps.sh [play | desktop | web | all]" >&2; exit 2 ;;
esac
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
# The browser tests' npm; a Node.js from elsewhere may bring its own.
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
$sudo apt-get install -y -q "${lean[@]}" "${missing[@]}"
