#!/bin/sh
# Exit ends the program with status 0 and leaves the commands it started
# running: one still writing goes on writing, its lines reach the log, and it
# ends by itself with status 0 (no broken pipe).
. "$(dirname "$0")/lib.sh"
start_xvfb
start_app

pidfile=$WORK/child.pid
writer=$WORK/writer.sh
cat >"$writer" <<EOF
#!/bin/sh
echo \$\$ > '$pidfile'
( i=0; while [ \$i -lt 40 ]; do echo "line \$i"; i=\$((i + 1)); sleep 0.1; done )
echo "status \$?" > '$WORK/status'
EOF
chmod +x "$writer"
arm_schedule "$writer" "" $(( $(date +%s) + 3 ))
for _ in $(seq 60); do
    [ -s "$pidfile" ] && break
    sleep 0.1
done
[ -s "$pidfile" ] || fail "the command did not start"
child=$(cat "$pidfile")
EXTRA_PIDS="$EXTRA_PIDS $child"

choose_from_menu Exit
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
for _ in $(seq 100); do
    [ -s "$WORK/status" ] && break
    sleep 0.1
done
[ "$(cat "$WORK/status" 2>/dev/null)" = "status 0" ] || fail "the writer ended with $(cat "$WORK/status" 2>/dev/null)"
grep -q 'writer.sh\[[0-9]*\]: line 39$' "$WORK/app.log" || fail "its last line did not reach the log, named"
grep -q 'writer.sh\[[0-9]*\]: line 0' "$WORK/app.log" || fail "its first line was not logged with its name"
pass "still writing after Exit, it ended by itself with status 0, and all its lines reached the log"
