#!/usr/bin/env bash
# house_rules.sh -- the portable folders stay free of Win32 headers, so the core builds and tests on any host
set -u
root=${1:?usage: house_rules.sh <source root>}
cd "$root" || exit 2
hits=$(grep -rnE '#\s*include\s*[<"](windows|winuser|wingdi|mmsystem)\.h[>"]' game render banner sound tools 2>/dev/null)
if [ -n "$hits" ]; then
    echo "Win32 headers outside app/ and tests/:"
    echo "$hits"
    exit 1
fi
echo "no Win32 header in game/, render/, banner/, sound/ or tools/"
