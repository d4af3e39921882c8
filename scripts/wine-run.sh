#!/usr/bin/env bash
# wine-run.sh -- runs a Windows program under Wine with the build's own prefix and display
set -euo pipefail
build_dir=${KESTREL_BUILD_DIR:-$(pwd)}
export WINEPREFIX=${WINEPREFIX:-$build_dir/wineprefix}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export WINEDEBUG=${WINEDEBUG:--all}
if [ -z "${DISPLAY:-}" ] && [ -f "$build_dir/xvfb.display" ]; then
    export DISPLAY=$(cat "$build_dir/xvfb.display")
fi
exec wine "$@"
