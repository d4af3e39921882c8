#!/usr/bin/env bash
# check_imports.sh -- fails unless the game exe imports only the system DLLs it is allowed to, and prints them
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: check_imports.sh <exe> <objdump>" >&2
    exit 2
fi
exe=$1
objdump=$2

dump=$("$objdump" -p "$exe")
mapfile -t dlls < <(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' | tr -d '\r' | sort -fu)

if [ ${#dlls[@]} -eq 0 ]; then
    echo "check_imports: no imported DLLs found in $exe" >&2
    exit 1
fi

echo "Imported DLLs of $exe:"
printf '  %s\n' "${dlls[@]}"

status=0
for dll in "${dlls[@]}"; do
    case "${dll,,}" in
        gdi32.dll | kernel32.dll | msvcrt.dll | opengl32.dll | user32.dll | winmm.dll) ;;
        *)
            echo "check_imports: unexpected import $dll" >&2
            status=1
            ;;
    esac
done
for required in kernel32.dll user32.dll; do
    if ! printf '%s\n' "${dlls[@],,}" | grep -qx "$required"; then
        echo "check_imports: missing required import $required" >&2
        status=1
    fi
done
exit $status
