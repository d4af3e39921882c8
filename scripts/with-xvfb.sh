#!/usr/bin/env bash
# with-xvfb.sh -- runs a Windows program under Wine on an Xvfb display of its own, then tears both down
set -uo pipefail

if [ $# -eq 0 ]; then
    echo "usage: with-xvfb.sh program.exe [arguments...]" >&2
    exit 2
fi

script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build_dir=${KESTREL_BUILD_DIR:-$(pwd)}
export WINEPREFIX=${WINEPREFIX:-$build_dir/wineprefix}
screen=${KESTREL_XVFB_SCREEN:-1920x1080x24}

xvfb_pid=""

stop_wine() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}

cleanup() {
    stop_wine
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A number with neither a lock nor a socket; if another server wins the race
# for it, ours exits at once and the next number is tried.
start_xvfb() {
    local number
    for number in $(seq 90 399); do
        if [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; then
            continue
        fi
        Xvfb ":${number}" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        local waited
        for waited in $(seq 1 100); do
            if ! kill -0 "$xvfb_pid" 2>/dev/null; then
                break
            fi
            if DISPLAY=":${number}" xdpyinfo >/dev/null 2>&1; then
                export DISPLAY=":${number}"
                return 0
            fi
            sleep 0.1
        done
        echo "with-xvfb.sh: display :${number} not up after ${waited} tries" >&2
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    done
    return 1
}

if ! start_xvfb; then
    echo "with-xvfb.sh: no X display could be started" >&2
    exit 1
fi

# The prefix's desktop belongs to whichever display its wineserver first saw:
# a fresh wineserver puts it on ours.
stop_wine

bash "$script_dir/wine-run.sh" "$@"
