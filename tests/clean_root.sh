#!/usr/bin/env bash
# clean_root.sh -- the README's commands as a newcomer types them, each in a clean Debian 12 root
#
# Usage: tests/clean_root.sh [a] [b] [c] [d]      (all four when none is named)
#   a  make run, then make test, in one root
#   b  make test alone, in another
#   c  make run-desktop and make run-web, each driven to its game by a display and a
#      browser of this machine's, with nothing installed in the root for them
#   d  the .deb that root a built, alone with what its relationships bring, on a
#      display that serves only the X server's built-in fonts: M shows the help box
#
# Needs root, debootstrap, and for c and d the machine's Xvfb, xdotool, ImageMagick and
# Chromium (make test's packages). Each root starts as debootstrap's minbase bookworm
# with its updates and security sources, and gets a fresh clone of this repository's
# HEAD; the roots share one apt cache, so a rerun downloads nothing again.
# KESTREL_ROOTS (default /var/tmp/kestrel-roots) holds them. Prints each step's time.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
roots=${KESTREL_ROOTS:-/var/tmp/kestrel-roots}
mirror=http://deb.debian.org/debian
security=http://deb.debian.org/debian-security
cache=$roots/apt-cache
mkdir -p "$cache/partial" "$roots/logs"
steps=("$@")
[ ${#steps[@]} -gt 0 ] || steps=(a b c d)

log() { printf '%s  %s\n' "$(date +%T)" "$*"; }

# debootstrap once; every root is a copy of it.
base=$roots/base
if [ ! -x "$base/usr/bin/apt-get" ]; then
    log "debootstrap minbase bookworm"
    rm -rf "$base"
    debootstrap --variant=minbase --cache-dir="$cache" bookworm "$base" "$mirror" >"$roots/logs/debootstrap.log"
    cat >"$base/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
EOF
fi

mounted=()
unmount_all() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -l "${mounted[$i]}" 2>/dev/null || true
    done
    mounted=()
}
trap unmount_all EXIT

bind() {
    mkdir -p "$2"
    mount --bind "$1" "$2"
    mounted+=("$2")
}

# A new root: the base, the machine's name servers and certificate authorities, the shared apt cache, the kernel's
# file systems, the X sockets (servers listen on abstract sockets too, which a chroot
# shares: a server started inside must not take a number one outside holds), and a
# fresh clone in /root/kestrel.
new_root() {
    root=$roots/$1
    unmount_all
    rm -rf "$root"
    cp -a "$base" "$root"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    # This machine's own certificate authorities, if its network has any (a proxy's):
    # the root installs ca-certificates itself, which takes them in.
    mkdir -p "$root/usr/local/share/ca-certificates"
    cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/" 2>/dev/null || true
    bind "$cache" "$root/var/cache/apt/archives"
    for fs in /proc /sys /dev /dev/pts /dev/shm /tmp/.X11-unix; do
        bind "$fs" "$root$fs"
    done
    git clone -q "$here" "$root/root/kestrel"
}

# What the README says comes first on a bare system, then one command, timed.
in_root() {
    local root=$1
    shift
    chroot "$root" env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        TERM=dumb "$@"
}

timed() {
    local name=$1
    shift
    local start=$SECONDS
    log "$name ..."
    if "$@" >"$roots/logs/$name.log" 2>&1; then
        log "$name: green in $((SECONDS - start)) s"
    else
        log "$name: RED after $((SECONDS - start)) s (log: $roots/logs/$name.log)"
        tail -30 "$roots/logs/$name.log"
        return 1
    fi
}

first_steps() {
    in_root "$1" bash -c "apt-get update -q && apt-get install -y -q make"
}

readme() {
    in_root "$1" bash -c "cd /root/kestrel && $2"
}

# A display of this machine's for the games of roots c and d.
start_display() {
    local number
    for number in $(seq 150 250); do
        [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] || break
    done
    Xvfb ":$number" -screen 0 1280x720x24 -nolisten tcp -noreset "$@" >/dev/null 2>&1 &
    xvfb=$!
    display=":$number"
    for _ in $(seq 100); do
        xdpyinfo -display "$display" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

sky_at_top() {
    convert "$1" -format '%[pixel:p{640,4}]' info: | grep -q 'srgb(0,232,255)'
}

# make run-desktop: the game on this machine's display, its sky shown, Escape, 27.
desktop_game() {
    local root=$1 shot=$roots/logs/run-desktop.png
    start_display
    in_root "$root" env DISPLAY="$display" SDL_AUDIODRIVER=dummy bash -c "cd /root/kestrel && make run-desktop" \
        >"$roots/logs/run-desktop-game.log" 2>&1 &
    local make=$!
    for _ in $(seq 600); do
        DISPLAY=$display xdotool search --name "Kestrel Forges" >/dev/null 2>&1 && break
        sleep 1
    done
    sleep 3
    import -display "$display" -window root "$shot"
    DISPLAY=$display xdotool key Escape
    wait "$make" || true
    kill "$xvfb"
    cat "$roots/logs/run-desktop-game.log"
    sky_at_top "$shot" && grep -q "KestrelForges exited with 27" "$roots/logs/run-desktop-game.log"
}

# make run-web: the page served from the root, fetched and played by this machine's Chromium.
web_game() {
    local root=$1 shot=$roots/logs/run-web.png
    in_root "$root" bash -c "cd /root/kestrel && make run-web" >"$roots/logs/run-web-server.log" 2>&1 &
    local make=$!
    for _ in $(seq 1200); do
        python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:8080/kestrel-forges.wasm')" \
            2>/dev/null && break
        sleep 1
    done
    chromium --headless=new --no-sandbox --use-angle=swiftshader --enable-unsafe-swiftshader \
        --window-size=1280,720 --virtual-time-budget=8000 --screenshot="$shot" http://127.0.0.1:8080/ \
        >/dev/null 2>&1 || true
    pkill -f "http.server 8080" || true
    wait "$make" || true
    sky_at_top "$shot"
}

# The .deb alone on a display with no core fonts: M shows the box, read off the screen.
deb_help() {
    local root=$1 deb
    deb=$(ls "$roots"/a/root/kestrel/build/native/kestrel-forges_*_amd64.deb)
    cp "$deb" "$root/root/"
    in_root "$root" bash -c "apt-get update -q && apt-get install -y -q /root/$(basename "$deb")"
    KESTREL_SHOTS=$roots/logs python3 "$here/tests/desktop/test_deb.py" installed "$root"
}

status=0
for step in "${steps[@]}"; do
    case $step in
    a)
        new_root a
        timed a-first-steps first_steps "$root" || status=1
        timed a-make-run readme "$root" "make run" || status=1
        timed a-make-test readme "$root" "make test" || status=1
        ;;
    b)
        new_root b
        timed b-first-steps first_steps "$root" || status=1
        timed b-make-test readme "$root" "make test" || status=1
        ;;
    c)
        new_root c
        timed c-first-steps first_steps "$root" || status=1
        timed c-make-run-desktop desktop_game "$root" || status=1
        timed c-make-run-web web_game "$root" || status=1
        ;;
    d)
        new_root d
        timed d-deb-help deb_help "$root" || status=1
        ;;
    *)
        echo "usage: clean_root.sh [a] [b] [c] [d]" >&2
        exit 2
        ;;
    esac
done
unmount_all
exit $status
