#!/bin/sh
# With a stand-in notification service on the test's own bus, a command
# whose failures vary (status 1, then 2, then 1...) every second is one
# notification, updated in place, its markup shown as text; its action is no
# dismissal; once the user closes it, nothing more is sent for that run of failures; a success then a
# failure is a new notification. Each ends with what the command wrote on
# its standard error, which the log has too. No message window is shown beside them.
. "$(dirname "$0")/lib.sh"
log=$WORK/notifications
: >"$log"
/usr/bin/python3 "$(dirname "$0")/notification_service.py" "$log" &
SERVICE_PID=$!
EXTRA_PIDS="$EXTRA_PIDS $!"
wait_bus_name org.freedesktop.Notifications
start_xvfb
APP_ENV="QT_LOGGING_RULES=ventaro.run=true"
start_app

# Waits until the program has logged N lines with the given word.
logged() { grep -c "$1" "$WORK/app.log" 2>/dev/null || true; }
wait_logged() {
    for _ in $(seq 200); do
        [ "$(logged "$1")" -ge "$2" ] && return 0
        sleep 0.05
    done
    fail "waited for $2 lines of '$1': $(cat "$WORK/app.log")"
}

arm_schedule "/bin/sh -c \"[ -e $WORK/ok ] && exit 0; echo rsync: connection refused >&2; exit \$(( \$(date +%s) % 2 + 1 ))\" <b>x</b>" 1 \
    $(($(date +%s) + 3))
wait_logged 'failure: process' 6
new=$(grep -c '^new|' "$log" || true)
updates=$(grep -c '^update|1|1|' "$log" || true)
[ "$new" -eq 1 ] || fail "$new notifications for one run of failures: $(cat "$log")"
[ "$updates" -ge 4 ] || fail "$updates updates of it in place: $(cat "$log")"
grep -q 'exited with status 1' "$log" && grep -q 'exited with status 2' "$log" || fail "not both statuses: $(cat "$log")"
pass "6 failures, status 1 and 2 in turn: 1 notification, updated $updates times in place"
grep -q '&lt;b&gt;x&lt;/b&gt;' "$log" || fail "the markup in the command was not escaped: $(head -n 1 "$log")"
pass "<b> in the command arrives as text"
grep -q 'status [12] At [^|]* rsync: connection refused$' "$log" || fail "no last words in: $(head -n 1 "$log")"
grep -q 'ventaro.output info: sh\[[0-9]*\]: rsync: connection refused' "$WORK/app.log" || fail "not in the log"
pass "the notification ends with the command's own words, and the log has them"

# Its action shows the history and, although the server then closes it as
# dismissed, the next failure is told: in a new notification, the old one gone.
tell_service() {
    dbus-send --session --print-reply --dest=org.freedesktop.Notifications /org/freedesktop/Notifications \
        "org.ventaro.Test.$1" >/dev/null || fail "the stand-in service could not $1"
}
# Waits until the service has raised N notifications in all, and no more.
wait_new() {
    for _ in $(seq 200); do
        [ "$(grep -c '^new|' "$log")" -ge "$1" ] && break
        sleep 0.05
    done
    [ "$(grep -c '^new|' "$log")" -eq "$1" ] || fail "$2: $(cat "$log")"
}
tell_service ActLast
wait_named_window "status and starts" "its action did not open the history"
wait_new 2 "after its action, the next failure was not told"
pass "its action opens the history, and the next failure is told again"

tell_service CloseLast
wait_logged 'dismissed by the user' 1
# What was already on its way when the user closed it may still arrive.
wait_logged 'failure: process' $(($(logged 'failure: process') + 1))
sent=$(wc -l <"$log")
wait_logged 'failure: process' $(($(logged 'failure: process') + 3))
[ "$(wc -l <"$log")" -eq "$sent" ] || fail "closed by the user, yet sent again: $(tail -n 2 "$log")"
[ "$(logged 'dismissed by the user')" -eq 1 ] || fail "one close, logged $(logged 'dismissed by the user') times"
pass "closed by the user: 3 more failures, nothing sent; the close logged once"
[ -z "$(our_windows message)" ] || fail "a message window too"
pass "no message window beside the notifications"

touch "$WORK/ok"
wait_logged 'success: process' 1
rm "$WORK/ok"
wait_new 3 "a failure after a success is not a new notification"
pass "a success, then a failure: a new notification"

# The service goes: the message window says it; the service is back: so are
# the notifications.
kill "$SERVICE_PID"
wait_message_window "the service went, and nothing said the failures"
: >"$log"
/usr/bin/python3 "$(dirname "$0")/notification_service.py" "$log" &
EXTRA_PIDS="$EXTRA_PIDS $!"
for _ in $(seq 100); do
    [ -s "$log" ] && break
    sleep 0.05
done
grep -q '^new|' "$log" || fail "no notification once the service was back"
pass "without the service, the message window; back, the notifications"
choose_from_menu Release
