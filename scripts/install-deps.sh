#!/usr/bin/env bash
# install-deps.sh -- installs the Debian packages the build and the tests need; does nothing when all are there
set -euo pipefail
packages=(
    cmake make g++ clang libclang-rt-14-dev
    googletest
    mingw-w64
    wine64
    xvfb x11-utils x11-xserver-utils xdotool imagemagick
    libgl1-mesa-dri libgl-dev libosmesa6-dev libxtst-dev
    libbenchmark-dev
    libsdl2-dev
    binutils-mingw-w64-x86-64
    zip
    dpkg-dev lintian desktop-file-utils appstream
    emscripten node-acorn chromium nodejs
)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
# The browser tests' npm; a Node.js from elsewhere may bring its own.
if ! command -v npm >/dev/null 2>&1; then
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
$sudo apt-get install -y -q "${missing[@]}"
