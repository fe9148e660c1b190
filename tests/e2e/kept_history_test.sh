#!/bin/sh
# A kept schedule keeps its history: a window loads no database code until
# Start at Login is ticked; its run is then written, seen in the history
# after Exit and a new start from its login entry, and listed by --list;
# --remove is refused while its window runs, then removes entry and history.
. "$(dirname "$0")/lib.sh"
start_xvfb
job=$WORK/job.sh
printf '#!/bin/sh\necho "nightly backup done"\n' >"$job"
chmod +x "$job"
database() { grep -c 'libQt6Sql\|ventaro-history' "/proc/$APP_PID/maps" || true; }
listed() { "$VENTARO" --list 2>&1; }
wait_ended() {
    for _ in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || return 0; sleep 0.05; done
    fail "Exit did not end the window"
}

"$VENTARO" --at "$(date -d '+1 hour' '+%Y/%m/%d %H:%M:%S')" --every 1 day --set -- "$job" >"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_window
[ "$(database)" -eq 0 ] || fail "a window that is not kept loaded the database code"
choose_from_menu "Start at Login"
for _ in $(seq 100); do entry=$(ls "$XDG_CONFIG_HOME"/autostart/*.desktop 2>/dev/null | head -n 1); [ -n "$entry" ] && break; sleep 0.05; done
[ -n "$entry" ] || fail "no login entry was written"
id=$(basename "$entry" .desktop | sed 's/^io\.github\.ventaro\.Ventaro-//')
xdotool windowfocus --sync "$WIN" key ctrl+r
for _ in $(seq 100); do listed | grep -q "^$id; .*last run: .*exited with status 0" && break; sleep 0.05; done
listed | grep -q "^$id; next: .*; every day; command: \"$job\"; last run: .*, exited with status 0 after .*; its window runs$" \
    || fail "--list does not show the kept run: $(listed)"
[ "$(database)" -gt 0 ] || fail "the kept window wrote its run without the database code loaded?"
! grep -q 'history could not be written' "$WORK/app.log" || fail "the history was not written: $(grep history "$WORK/app.log")"
"$VENTARO" --list --json | /usr/bin/python3 -c 'import json, sys; assert json.load(sys.stdin)[0]["running"]' \
    || fail "--list --json is not the list: $("$VENTARO" --list --json)"
pass "not kept: no database code; kept: the run is written and --list shows it"

if "$VENTARO" --remove "$id" >"$WORK/remove.log" 2>&1; then fail "--remove removed the schedule of a running window"; fi
grep -q "runs already" "$WORK/remove.log" || fail "--remove did not say why: $(cat "$WORK/remove.log")"
choose_from_menu "Exit"
wait_ended

# The next login, as a desktop reads the entry.
exec_line=$(sed -n 's/^Exec=//p' "$entry")
eval "set -- $exec_line"
"$@" >"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_window
xdotool windowfocus --sync "$WIN" key F1
wait_named_window 'status and starts' "no history window"
for _ in $(seq 100); do read_tree; grep -q '^table cell|run now|' "$WORK/tree" && break; sleep 0.1; done
grep -q '^table cell|run now|' "$WORK/tree" || fail "the history after a new start does not show the kept run: $(grep '^table cell' "$WORK/tree")"
pass "after Exit and a new start from its entry, the history shows the run"

choose_from_menu "Exit"
wait_ended
APP_PID=
"$VENTARO" --remove "$id" >"$WORK/remove.log" 2>&1 || fail "--remove failed: $(cat "$WORK/remove.log")"
[ ! -e "$entry" ] || fail "--remove left the entry"
[ -z "$(listed)" ] || fail "--list still lists: $(listed)"
pass "--remove removed the entry and its history; --list is empty"
