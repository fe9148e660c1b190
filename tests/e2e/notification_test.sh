#!/bin/sh
# Run inside dbus-run-session with a stand-in notification service: a command
# that exits with status 1 is a notification that says so, and a missing
# program on a 1-second schedule is one notification, counted, and no window.
. "$(dirname "$0")/lib.sh"
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "no session bus: run me under dbus-run-session"
log=$WORK/notifications
/usr/bin/python3 "$(dirname "$0")/notification_service.py" "$log" &
EXTRA_PIDS=$!
for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
        string:org.freedesktop.Notifications 2>/dev/null | grep -q true && break
    sleep 0.1
done
start_xvfb
start_app

arm_schedule /bin/false "" $(($(date +%s) + 3))
for _ in $(seq 60); do
    [ -s "$log" ] && break
    sleep 0.1
done
grep -q '^new|.*|ventaro|.*"/bin/false" exited with status 1' "$log" || fail "no notification of status 1: $(cat "$log")"
pass "a notification says \"/bin/false\" exited with status 1"
choose_from_menu 2

: >"$log"
at=$(($(date +%s) + 4))
arm_schedule /nonexistent/ventaro-e2e-missing 1 "$at"
[ "$(date +%s)" -lt "$at" ] || fail "setting up took too long: armed after the activation second"
sleep $((at + 6 - $(date +%s)))
choose_from_menu 2
new=$(grep -c '^new|' "$log" || true)
updates=$(grep -c '^update|' "$log" || true)
[ "$new" -eq 1 ] || fail "$new notifications for one repeating failure: $(cat "$log")"
grep -q 'Failed [0-9]* times since' "$log" || fail "the repeats are not counted: $(cat "$log")"
windows=$(xdotool search --onlyvisible --name '^ventaro$' 2>/dev/null | wc -l)
[ "$windows" -eq 0 ] || fail "$windows message windows beside the notifications"
pass "a missing program every second for 6 s: $new notification, updated $updates times, no window"
