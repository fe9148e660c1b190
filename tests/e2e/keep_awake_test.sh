#!/bin/sh
# Keep Awake While Running against a stand-in login manager on the test's
# own system bus: its lock is taken as a run starts, and its descriptor
# closed within 1 s of the run's end, of Stop, and of ventaro being killed;
# refused, the run still starts and the window says the computer may sleep.
. "$(dirname "$0")/lib.sh"
start_xvfb
start_login_manager

job=$WORK/job.sh
cat >"$job" <<JOB
#!/bin/sh
date +%s.%N >>"$WORK/starts"
while [ ! -e "$WORK/finish" ]; do sleep 0.05; done
date +%s.%N >"$WORK/finished"
JOB
chmod +x "$job"
count() { n=$(grep -c "^$1|" "$WORK/locks" 2>/dev/null || true); echo "${n:-0}"; }
wait_count() {
    for _ in $(seq 100); do [ "$(count "$1")" -ge "$2" ] && return 0; sleep 0.05; done
    fail "$3 ($(cat "$WORK/locks" 2>/dev/null))"
}
starts() { wc -l <"$WORK/starts" 2>/dev/null || echo 0; }
wait_starts() {
    for _ in $(seq 100); do [ "$(starts)" -ge "$1" ] && return 0; sleep 0.05; done
    fail "the command started $(starts) times, not $1"
}
# Seconds from the time in a file (or a number) to the newest release.
since() { awk -F'|' -v from="$1" '/^released/ { at = $2 } END { printf "%.2f", at - from }' "$WORK/locks"; }
at() { date -d "@$(($(date +%s) + $1))" '+%Y/%m/%d %H:%M:%S'; }

"$VENTARO" --at "$(at 2)" --every 1 day --keep-awake --set -- "$job" >"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_count taken 1 "no lock was taken when the run started"
grep -q "^taken|sleep:idle|ventaro|$job is running|block|" "$WORK/locks" || fail "not the lock asked for: $(cat "$WORK/locks")"
[ "$(count released)" -eq 0 ] || fail "the lock was let go while the run goes: $(cat "$WORK/locks")"
touch "$WORK/finish"
wait_count released 1 "the lock was not let go when the run ended"
took=$(since "$(cat "$WORK/finished")")
awk -v t="$took" 'BEGIN { exit !(t <= 1.0) }' || fail "the lock was let go $took s after the run ended"
pass "the lock was taken as the run started and let go $took s after it ended"

# Stop, from the history, as a screen reader's user would.
rm -f "$WORK/finish"
wait_window
xdotool windowfocus --sync "$WIN" key ctrl+r
wait_starts 2
wait_count taken 2 "Run Now took no lock"
xdotool windowfocus --sync "$WIN" key F1
wait_named_window 'status and starts' "no history window"
for _ in $(seq 100); do read_tree; grep -q '|Stop the Selected Run|' "$WORK/tree" && break; sleep 0.1; done
asked=$(date +%s.%N)
read_tree press "Stop the Selected Run"
wait_count released 2 "the lock was not let go when the run was stopped"
took=$(since "$asked")
awk -v t="$took" 'BEGIN { exit !(t <= 1.0) }' || fail "the lock was let go $took s after Stop"
pass "Stop let the lock go $took s after it was pressed"

xdotool windowfocus --sync "$WIN" key ctrl+r
wait_starts 3
wait_count taken 3 "the third run took no lock"
asked=$(date +%s.%N)
kill -9 "$APP_PID"
wait_count released 3 "the lock outlived ventaro"
took=$(since "$asked")
awk -v t="$took" 'BEGIN { exit !(t <= 1.0) }' || fail "the lock was let go $took s after ventaro was killed"
pass "killed, ventaro let the lock go within $took s"
touch "$WORK/finish"

touch "$WORK/refuse"
rm -f "$WORK/finish"
"$VENTARO" --at "$(at 2)" --every 1 day --keep-awake --set -- "$job" >"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_starts 4
wait_count refused 1 "the lock was not asked for"
for _ in $(seq 100); do read_tree; grep -q 'The computer may sleep while it runs: the login manager refused' "$WORK/tree" && break; sleep 0.1; done
grep -q 'The computer may sleep while it runs: the login manager refused' "$WORK/tree" \
    || fail "the window does not say the computer may sleep: $(grep -i 'sleep\|activation' "$WORK/tree")"
pass "refused, the run started all the same and the window says the computer may sleep"
touch "$WORK/finish"
