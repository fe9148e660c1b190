#!/bin/sh
# Exit ends the program with status 0 and leaves the commands it started running.
. "$(dirname "$0")/lib.sh"
start_xvfb
start_app

pidfile=$WORK/child.pid
arm_schedule "/bin/sh -c \"echo \$\$ > '$pidfile'; exec sleep 30\"" "" $(( $(date +%s) + 3 ))
for _ in $(seq 60); do
    [ -s "$pidfile" ] && break
    sleep 0.1
done
[ -s "$pidfile" ] || fail "the command did not start"
child=$(cat "$pidfile")
EXTRA_PIDS=$child

choose_from_menu 3
status=0
for _ in $(seq 50); do
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.1
done
wait "$APP_PID" || status=$?
APP_PID=
[ "$status" -eq 0 ] || fail "exit status $status"
pass "Exit ends the program with status 0"
kill -0 "$child" 2>/dev/null || fail "the started command ended with the program"
pass "the started command (pid $child) keeps running"
