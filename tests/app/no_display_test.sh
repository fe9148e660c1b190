#!/bin/sh
# Without a display the program says so in one line and exits with status 1:
# no abort, no core dump, no platform plugin dump.
set -u
ventaro=$1
fail=0
check() {
    label=$1
    shift
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$ventaro" 2>&1)
    status=$?
    lines=$(printf '%s\n' "$out" | grep -c .)
    if [ "$status" -ne 1 ] || [ "$lines" -ne 1 ] || ! printf '%s' "$out" | grep -q 'no display found'; then
        echo "FAIL: $label: status $status, $lines lines:"
        printf '%s\n' "$out"
        fail=1
    else
        echo "PASS: $label: $out"
    fi
}
check "no DISPLAY set"
check "DISPLAY names no server" DISPLAY=:987
exit $fail
