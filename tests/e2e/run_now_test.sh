#!/bin/sh
# Ctrl+R starts the command at once and leaves
# the activation time as it was; the history window, read over AT-SPI as a
# screen reader would, lists the runs with what the newest wrote; its Stop
# buttons end a sleeping command, and one that ignores SIGTERM within 6 s,
# and the history says "stopped by you".
. "$(dirname "$0")/lib.sh"
start_xvfb
start_app
activation() { read_tree; grep '|Next activation time|' "$WORK/tree" | cut -d'|' -f5; }

job=$WORK/job.sh
cat >"$job" <<'JOB'
#!/bin/sh
date +%s.%N >"$0.$$.started"
echo "rsync: connection refused" >&2
[ "$1" = stubborn ] && trap '' TERM
exec sleep 600
JOB
chmod +x "$job"
started() { find "$WORK" -maxdepth 1 -name 'job.sh.*.started' | wc -l; }
wait_started() {
    for _ in $(seq 100); do [ "$(started)" -ge "$1" ] && return 0; sleep 0.05; done
    fail "Run Now started $(started) commands, not $1"
}

# shellcheck disable=SC2086
type_into $COMMAND "$job"
before=$(activation)
asked=$(date +%s.%N)
xdotool key ctrl+r
wait_started 1
took=$(awk -v a="$asked" -v b="$(cat "$WORK"/job.sh.*.started)" 'BEGIN { printf "%d", (b - a) * 1000 }')
[ "$took" -le 250 ] || fail "Run Now took $took ms to start the command"
[ "$(activation)" = "$before" ] || fail "Run Now moved the activation time from $before to $(activation)"
pass "Ctrl+R started the command $took ms after the key, the activation time still $before"

# shellcheck disable=SC2086
type_into $COMMAND "$job stubborn"
xdotool key ctrl+r
wait_started 2
xdotool key F1
for _ in $(seq 100); do
    read_tree
    # What the newest wrote may reach its pane a moment after its row.
    [ "$(grep -c '^table cell|running for' "$WORK/tree")" -eq 2 ] \
        && grep -q '|What the selected run wrote|.*|rsync: connection refused$' "$WORK/tree" && break
    sleep 0.1
done
[ "$(grep -c '^table cell|running for' "$WORK/tree")" -eq 2 ] || fail "the history does not list two running runs: $(grep '^table cell' "$WORK/tree")"
grep -q '|What the selected run wrote|.*|rsync: connection refused$' "$WORK/tree" \
    || fail "the history does not show what the run wrote: $(grep 'selected run' "$WORK/tree")"
pass "the history lists both runs, running, and shows what the newest wrote"

pids=$(find "$WORK" -maxdepth 1 -name 'job.sh.*.started' | sed 's/.*job\.sh\.\([0-9]*\)\.started/\1/')
EXTRA_PIDS="$EXTRA_PIDS $pids"
asked=$(date +%s)

# The newest is selected: stop it, then the one below it, as a screen
# reader's user would. A press over AT-SPI clicks a moment later.
stopping() { read_tree; grep -c '^table cell|stopping|' "$WORK/tree" || true; }
read_tree press "Stop the Selected Run"
for _ in $(seq 50); do [ "$(stopping)" -ge 1 ] && break; sleep 0.1; done
history=$(xdotool search --onlyvisible --name 'status and starts' | head -n 1)
[ -n "$history" ] || fail "no history window"
xdotool windowfocus --sync "$history" key Down
read_tree press "Stop the Selected Run"
for _ in $(seq 140); do
    alive=0
    for pid in $pids; do kill -0 "$pid" 2>/dev/null && alive=$((alive + 1)); done
    [ "$alive" -eq 0 ] && break
    sleep 0.05
done
read_tree; [ "$alive" -eq 0 ] || fail "$alive of the stopped commands still run $(($(date +%s) - asked)) s later: $(grep "^table cell" "$WORK/tree" | tr "\n" " ")"
pass "Stop ended the sleeping command and the one that ignores SIGTERM, within $(($(date +%s) - asked + 1)) s"
for _ in $(seq 40); do
    read_tree
    [ "$(grep -c '^table cell|stopped by you after' "$WORK/tree")" -eq 2 ] && break
    sleep 0.1
done
[ "$(grep -c '^table cell|stopped by you after' "$WORK/tree")" -eq 2 ] || fail "the history does not say stopped by you: $(grep '^table cell' "$WORK/tree")"
pass "the history says: $(grep '^table cell|stopped by you' "$WORK/tree" | head -n 1 | cut -d'|' -f2)"
