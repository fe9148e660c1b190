#!/bin/sh
# A command that cannot start shows the message window, and the clock goes on.
. "$(dirname "$0")/lib.sh"
start_xvfb
start_app

arm_schedule "/nonexistent/ventaro-e2e-program --flag" "" $(( $(date +%s) + 3 ))

message=
for _ in $(seq 60); do
    message=$(xdotool search --onlyvisible --name '^ventaro$' 2>/dev/null | head -n 1) || true
    [ -n "$message" ] && break
    sleep 0.1
done
[ -n "$message" ] || fail "no message window"
pass "the message window is shown"

import -window "$WIN" -crop "$CLOCK_CROP" "$WORK/clock1.png"
sleep 1.5
import -window "$WIN" -crop "$CLOCK_CROP" "$WORK/clock2.png"
differ=$(compare -metric AE "$WORK/clock1.png" "$WORK/clock2.png" null: 2>&1 || true)
[ "${differ%% *}" != "0" ] || fail "the clock did not change in 1.5 seconds"
pass "the clock keeps running ($differ pixels changed)"
kill -0 "$APP_PID" || fail "the program ended"
