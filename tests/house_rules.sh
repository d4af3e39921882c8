#!/usr/bin/env bash
# house_rules.sh -- each platform's headers stay inside its own shell, so the core builds and tests on any host
set -u
root=${1:?usage: house_rules.sh <source root>}
cd "$root" || exit 2
status=0
# The one folder that may include a platform's headers, their pattern, a name.
check() {
    local home=$1 pattern=$2 name=$3
    local hits
    hits=$(grep -rnE --include='*.cpp' --include='*.h' "#\s*include\s*[<\"]($pattern)[>\"]" \
        game render banner sound tools platform 2>/dev/null |
        grep -v "^$home/")
    if [ -n "$hits" ]; then
        echo "$name headers outside $home/:"
        echo "$hits"
        status=1
    fi
}
check platform/windows '(windows|winuser|wingdi|mmsystem)\.h' 'Win32'
check platform/desktop 'SDL2?/[^>"]*|SDL[^/>"]*\.h' 'SDL'
check platform/desktop 'X11/[^>"]*' 'Xlib'
check platform/web 'emscripten[^>"]*|GLFW/[^>"]*' 'emscripten'
if [ "$status" -eq 0 ]; then
    echo "platform headers stay in platform/windows, platform/desktop and platform/web"
fi
exit "$status"
