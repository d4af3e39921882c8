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

# The pid in a display's lock file: the server that holds the number.
lock_owner() {
    { tr -d ' \n' <"/tmp/.X$1-lock"; } 2>/dev/null || true
}

# A number with neither a lock nor a socket. The display is ours only once its
# lock file names our Xvfb: another server started on the same number at the
# same moment may answer there while ours gives up, and that one goes away with
# its own test. Then the next free number is tried.
start_xvfb() {
    local number owner waited
    for number in $(seq 90 399); do
        if [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; then
            continue
        fi
        # -noreset: a reset when the probe below leaves would refuse the program's own connection.
        Xvfb ":${number}" -screen 0 "$screen" -nolisten tcp -noreset >/dev/null 2>&1 &
        xvfb_pid=$!
        for waited in $(seq 1 100); do
            owner=$(lock_owner "$number")
            if ! kill -0 "$xvfb_pid" 2>/dev/null || { [ -n "$owner" ] && [ "$owner" != "$xvfb_pid" ]; }; then
                break
            fi
            if [ "$owner" = "$xvfb_pid" ] && DISPLAY=":${number}" xdpyinfo >/dev/null 2>&1; then
                export DISPLAY=":${number}"
                return 0
            fi
            sleep 0.1
        done
        echo "with-xvfb.sh: display :${number} is not ours after ${waited} tries (lock owner ${owner:-none})" >&2
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
