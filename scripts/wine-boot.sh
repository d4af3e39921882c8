#!/usr/bin/env bash
# wine-boot.sh -- creates the build's Wine prefix once, before tests use it in parallel
set -euo pipefail
build_dir=${KESTREL_BUILD_DIR:?}
export WINEPREFIX=$build_dir/wineprefix
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
fi
wineserver -w
test -f "$WINEPREFIX/system.reg"
