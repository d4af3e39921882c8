#!/usr/bin/env bash
# run-game.sh -- starts the built game under Wine in its own folder; without a display, plays an attract sequence
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/windows
export KESTREL_BUILD_DIR=$build
bash "$root/scripts/wine-boot.sh"
if [ -n "${DISPLAY:-}" ]; then
    cd "$build"
    export WINEPREFIX=$build/wineprefix WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
    # A wineserver left by a test may belong to another display.
    wineserver -k 2>/dev/null || true
    set +e
    wine KestrelForges.exe
    code=$?
    echo "KestrelForges.exe exited with $code"
    exit 0
fi
echo "No display: playing an attract sequence on a virtual display."
cmake --build "$build" --target probe >/dev/null
KESTREL_EXE_DIR=$build KESTREL_PROBE=$build/probe.exe KESTREL_SHOTS=$root/build/screenshots \
    python3 "$root/tools/attract/attract.py"
