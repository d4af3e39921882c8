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
# A first program right after the boot can fail while the server winds down;
# one that runs to the end shows the prefix is ready.
for attempt in 1 2 3; do
    if wine cmd.exe /c exit 0 >/dev/null 2>&1; then
        wineserver -w
        exit 0
    fi
    sleep 2
done
echo "wine-boot.sh: no program ran to its end in $WINEPREFIX after three tries" >&2
exit 1
