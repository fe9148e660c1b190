#!/bin/sh
# Run inside dbus-run-session: a screen reader, reading over AT-SPI, finds the
# window's name, the clock's time and the activation box's warning.
. "$(dirname "$0")/lib.sh"
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "no session bus: run me under dbus-run-session"
/usr/libexec/at-spi-bus-launcher --launch-immediately &
EXTRA_PIDS=$!
sleep 0.5
start_xvfb
APP_ENV="QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1"
start_app
# shellcheck disable=SC2086
type_into $ACTIVATE "2024/9/4 9:05:03"
sleep 1.2

/usr/bin/python3 "$(dirname "$0")/accessibility_reader.py" >"$WORK/tree" || fail "no tree: $(cat "$WORK/tree")"
grep -q '^window|ventaro|' "$WORK/tree" || grep -q '^frame|ventaro|' "$WORK/tree" \
    || fail "the window has no name: $(head -n 3 "$WORK/tree")"
pass "the window reads as \"ventaro\""
clock=$(grep '|Current time$' "$WORK/tree" | cut -d'|' -f2)
printf '%s' "$clock" | grep -qE '^[0-9]{4}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}$' \
    || fail "the clock reads '$clock'"
pass "the clock reads its time: $clock"
grep -q '|Next activation time|Warning: 2024/9/4 9:05:03 will never be reached' "$WORK/tree" \
    || fail "no warning on the activation box: $(grep 'Next activation' "$WORK/tree")"
pass "the activation box says: $(grep 'Next activation' "$WORK/tree" | cut -d'|' -f3 | cut -c1-60)..."
