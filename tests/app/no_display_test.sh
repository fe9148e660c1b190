#!/bin/sh
# Without a display the program says so in one line and exits with status 1:
# no abort, no core dump, no platform plugin dump. --help and --version need
# no display; an argument of ours it does not know is a one-line error.
set -u
ventaro=$1
fail=0
# check LABEL STATUS LINES PATTERN [NAME=value ...] [-- ARGUMENTS]
check() {
    label=$1 want=$2 want_lines=$3 pattern=$4
    shift 4
    set -- "$@" --
    env_words=
    while [ "$1" != -- ]; do env_words="$env_words $1"; shift; done
    shift
    [ "${1:-}" = -- ] && shift
    # shellcheck disable=SC2086
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $env_words "$ventaro" "$@" 2>&1)
    status=$?
    lines=$(printf '%s\n' "$out" | grep -c .)
    if [ "$status" -ne "$want" ] || [ "$lines" -ne "$want_lines" ] || ! printf '%s' "$out" | grep -q "$pattern"; then
        echo "FAIL: $label: status $status, $lines lines:"
        printf '%s\n' "$out"
        fail=1
    else
        echo "PASS: $label: $out"
    fi
}
# A display number nothing serves: no socket, lock or abstract socket of an
# X server on this machine names it.
free=
for n in $(seq 900 999); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    grep -q "@/tmp/.X11-unix/X$n\$" /proc/net/unix 2>/dev/null && continue
    free=:$n
    break
done
[ -n "$free" ] || { echo "FAIL: no free display number from :900 to :999"; exit 1; }
check "no DISPLAY set" 1 1 'no display found'
check "DISPLAY names no server" 1 1 "no display found (could not connect to display $free)" DISPLAY=$free
check "--version" 0 1 '^ventaro [0-9]' -- --version
check "--help" 0 41 'Usage: ventaro \[--at TIME\] \[--every EVERY\] \[--set\] \[--one-at-a-time\] \[--catch-up\] \[--keep-awake\] \[--stop-after SPAN\] \[--retry COUNT\] \[--retry-after SPAN\] \[-- PROGRAM' -- --help
check "--remove of no kept schedule: no window" 1 1 'cannot remove nosuch: there is no kept schedule nosuch' -- --remove nosuch
check "--stop-after that is no span" 2 1 'stop-after: "soon" is not a count and a unit' -- --stop-after soon
check "a time that cannot be read: no window" 2 1 'at: "teatime" is not a date and time' -- --at teatime
check "Qt's own options pass through" 0 1 '^ventaro [0-9]' -- -platform offscreen -style=fusion --version
check "an unknown option" 2 1 "Unknown option 'bogus'" -- --bogus
check "an argument" 2 1 "unexpected argument 'now'" -- now
check "a value of ours is never read by Qt" 1 1 'no display found;' -- --command -display --at 2030/01/01
check "a usage error shows control characters escaped" 2 1 'teatime\\x1b\[31m' -- --at "$(printf 'teatime\033[31m')"
check "an argument that is no valid text" 2 1 'argument 2, "p\\xff", is not valid text' -- -- -- "$(printf 'p\377')"
check "-display names the display" 1 1 "could not connect to display $free" -- -display "$free"
# Without the Wayland plugin a Wayland-only session is told why.
if ! ls /usr/lib/*/qt6/plugins/platforms/libqwayland* >/dev/null 2>&1; then
    check "Wayland without its plugin" 1 1 'the Wayland plugin is missing (install qt6-wayland)' WAYLAND_DISPLAY=wayland-9
fi
# -platform chooses a display of its own: the window opens.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 2 "$ventaro" -platform offscreen >/dev/null 2>&1
status=$?
if [ "$status" -eq 124 ]; then echo "PASS: -platform offscreen runs with no DISPLAY"; else
    echo "FAIL: -platform offscreen with no DISPLAY ended with status $status"; fail=1; fi
exit $fail
