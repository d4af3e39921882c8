#!/usr/bin/env bash
# house_rules.sh -- each platform's headers stay inside its own shell, and the product stays apart from the tests
#
#   house_rules.sh <source root>
#       the rules the sources keep
#   house_rules.sh <source root> page <release page folder> <web zip> <test page folder>
#       the built release page and its zip carry no probe, which the test page has
set -u
root=${1:?usage: house_rules.sh <source root> [page <release folder> <web zip> <test folder>]}
cd "$root" || exit 2
status=0

# The probe's entry points, by the names the built page exports them under.
probe_marker=WebProbe
if [ "${2:-}" = page ]; then
    release=${3:?no release page folder} zip=${4:?no web zip} tested=${5:?no test page folder}
    for file in "$release/kestrel-forges.js" "$release/kestrel-forges.wasm"; do
        if grep -aq "$probe_marker" "$file"; then
            echo "the release page carries the probe: $file"
            status=1
        fi
    done
    if ! python3 -c 'import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as archive:
    carriers = [name for name in archive.namelist() if sys.argv[2].encode() in archive.read(name)]
print("\n".join(carriers))
sys.exit(1 if carriers else 0)' "$zip" "$probe_marker"; then
        echo "the web zip carries the probe in the entries above: $zip"
        status=1
    fi
    # Else a probe renamed would pass the checks above without being gone.
    if ! grep -aq "$probe_marker" "$tested/kestrel-forges.js"; then
        echo "the test page has no $probe_marker either: these checks would see no probe"
        status=1
    fi
    [ "$status" -eq 0 ] && echo "the release page and the web zip carry no probe; the test page has it"
    exit "$status"
fi

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

# make run and make package, the scripts and the tools they run reach nothing
# under tests/: every configure they run leaves the tests out, and only the
# top-level CMakeLists.txt adds them, when asked to.
found() {
    if [ -n "$2" ]; then
        echo "$1"
        echo "$2"
        status=1
    fi
}
recipes=$(MAKEFLAGS= make -n -B --no-print-directory run package 2>&1)
found "make run and make package reach under tests/:" "$(grep 'tests/' <<<"$recipes")"
found "make run and make package configure the tests in:" \
    "$(grep -E '(^|[;&|] *)(emcmake +)?cmake +(-S|--preset)' <<<"$recipes" | grep -v -- '-DKESTREL_TESTS=OFF')"
found "scripts or tools reach under tests/:" "$(grep -rn 'tests/' scripts tools)"
found "CMake files outside tests/ add tests other than under KESTREL_TESTS:" "$(
    grep -nE '^[^#]*(tests/|\(tests\))' cmake/*.cmake tools/CMakeLists.txt
    awk '/^if\(KESTREL_TESTS\)/ { asked = 1 } /^endif\(\)/ { asked = 0 }
         /^[^#]*(tests\/|\(tests\))/ && !asked { print FILENAME ":" FNR ": " $0 }' CMakeLists.txt)"

# The release page carries no probe: no CMake file outside tests/ links it, and
# no other file of the browser shell calls it.
found "CMake files outside tests/ link the probe into a page:" \
    "$(grep -nE '^[^#]*(platform/web|web_source_dir\})/probe\.(cpp|js)' CMakeLists.txt cmake/*.cmake tools/CMakeLists.txt)"
found "the browser shell reaches into its probe:" "$(grep -rnE "$probe_marker|WebPassTimed|KestrelProbe|WatchPass|Module\.kestrel|\['kestrel'\]" \
    platform/web --include='*.cpp' --include='*.h' --include='*.js' --include='*.html' | grep -v '^platform/web/probe\.')"
if [ "$status" -eq 0 ]; then
    echo "make run, make package, scripts/ and tools/ reach nothing under tests/; the release page links no probe"
fi
exit "$status"
