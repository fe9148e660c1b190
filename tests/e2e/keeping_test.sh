#!/bin/sh
# A schedule that outlives the session: started from the command line with
# awkward arguments (one at a time, catching up) it runs them exactly, every
# two seconds; "Start at Login"
# writes a valid autostart entry; the program the desktop starts from that
# entry shows the same schedule armed and runs it on; the entry started again
# starts nothing more; a full disk keeps the entry as it was and says so;
# unticking removes it.
. "$(dirname "$0")/lib.sh"
start_xvfb
export XDG_CONFIG_HOME="$WORK/config"
rec=$WORK/rec
# It notes when it started (a file's time can lag the clock by a few ms).
printf '#!/bin/sh\ndate +%%s.%%N > "$0.$$.when"\nout="$0.$$.out"\n: > "$out.tmp"\nfor a in "$@"; do printf "%%s\\n" "$a" >> "$out.tmp"; done\nmv "$out.tmp" "$out"\n' >"$rec"
chmod +x "$rec"
expected=$(printf 'a b\nc"d\nx%%y$z\\\n\n')

# The gaps in seconds between the last N starts, one a line.
gaps() {
    sort -n "$WORK"/rec.*.when | tail -n "$1" | awk 'NR > 1 { printf "%.0f\n", $1 - last } { last = $1 }'
}
# How many times the recorder has run; waits until it has run N times in all.
runs() { find "$WORK" -maxdepth 1 -name 'rec.*.out' | wc -l; }
wait_runs() {
    for _ in $(seq 200); do
        [ "$(runs)" -ge "$1" ] && return 0
        sleep 0.05
    done
    fail "the recorder ran $(runs) times, not $1: $(cat "$WORK/app.log")"
}
# Exit from the menu, and the program is gone.
exit_app() {
    choose_from_menu Exit
    for _ in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.05; done
}
wait_entry() {
    for _ in $(seq 100); do
        entry=$(find "$XDG_CONFIG_HOME/autostart" -name '*.desktop' 2>/dev/null | head -n 1)
        [ -n "$entry" ] && [ "$1" = present ] && return 0
        [ -z "$entry" ] && [ "$1" = absent ] && return 0
        sleep 0.05
    done
    fail "the autostart entry is not $1"
}

at=$(date -d "@$(($(date +%s) + 2))" '+%Y/%m/%d %H:%M:%S')
"$VENTARO" --at "$at" --every 2s --one-at-a-time --catch-up --set -- "$rec" "a b" 'c"d' 'x%y$z\' '' >"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_runs 2
first=$(ls "$WORK"/rec.*.out)
gap=$(gaps 2)
[ "$gap" = 2 ] || fail "the two starts were $gap s apart, not 2"
for out in $first; do [ "$(cat "$out")" = "$expected" ] || fail "it ran with: $(cat "$out")"; done
pass "--at, --every 2s, --set, -- recorder with awkward arguments: two starts 2 s apart, arguments exact"

WIN=$(xdotool search --onlyvisible --pid "$APP_PID" --classname ventaro | head -n 1)
choose_from_menu "Start at Login"
wait_entry present
desktop-file-validate "$entry" || fail "the entry does not validate: $(cat "$entry")"
grep -q '^Exec=.* --one-at-a-time --catch-up ' "$entry" || fail "the options are not in the entry: $(grep Exec "$entry")"
pass "Start at Login wrote $(basename "$entry"), which desktop-file-validate accepts"

exit_app
APP_PID=
[ -f "$entry" ] || fail "Exit removed the entry"
runs=$(runs)

# As the desktop starts it at login.
/usr/bin/python3 -c 'import sys; from gi.repository import Gio; Gio.DesktopAppInfo.new_from_filename(sys.argv[1]).launch([], None)' "$entry"
wait_window
APP_PID=$(xdotool getwindowpid "$WIN")
wait_runs $((runs + 2))
window_geometry
[ "$WH" -eq 18 ] || fail "started from the entry, the window is $WH pixels high, not armed"
for out in $(ls -t "$WORK"/rec.*.out | head -n 2); do [ "$(cat "$out")" = "$expected" ] || fail "it ran with: $(cat "$out")"; done
pass "the entry's Exec brings the same schedule back armed: it runs on with the same arguments"

launch_entry() {
    /usr/bin/python3 -c 'import sys; from gi.repository import Gio; Gio.DesktopAppInfo.new_from_filename(sys.argv[1]).launch([], None)' "$entry"
}
launch_entry 2>"$WORK/second.log"
for _ in $(seq 100); do grep -q 'runs already' "$WORK/second.log" && break; sleep 0.05; done
grep -q 'runs already' "$WORK/second.log" || fail "the second start of the entry said: $(cat "$WORK/second.log")"
runs=$(runs)
wait_runs $((runs + 3))
[ "$(gaps 3 | tr '\n' ' ')" = "2 2 " ] || fail "starts $(gaps 3 | tr '\n' ' ')s apart: the entry runs twice"
id=$(basename "$entry" .desktop)
copies=$(pgrep -c -f -- "--autostart ${id##*-}") || true
[ "$copies" -eq 1 ] || fail "$copies copies of the entry's window run"
pass "the entry started again says it runs already, and each slot starts once"

if [ "$(id -u)" -eq 0 ]; then
    cp "$entry" "$WORK/entry.before"
    mount -t tmpfs -o size=16k tmpfs "$XDG_CONFIG_HOME/autostart"
    MOUNTS="$XDG_CONFIG_HOME/autostart"
    cp "$WORK/entry.before" "$entry"
    dd if=/dev/zero of="$XDG_CONFIG_HOME/autostart/filler" bs=4k 2>/dev/null || true
    # Each start moves the activation on, and so rewrites the entry: the
    # failures are one notice, counted in place.
    wait_message_window "a full disk was not told"
    for _ in $(seq 100); do
        read_tree
        grep -q 'Failed [2-9] times since' "$WORK/tree" && break
        sleep 0.1
    done
    grep -q 'Failed [2-9] times since' "$WORK/tree" || fail "the failures are not counted: $(grep '^label' "$WORK/tree")"
    [ "$(our_windows message | wc -l)" -eq 1 ] || fail "more than one message window"
    choose_from_menu Release # Release rewrites the entry
    cmp -s "$WORK/entry.before" "$entry" || fail "a full disk changed the entry: $(cat "$entry")"
    umount -l "$XDG_CONFIG_HOME/autostart"
    MOUNTS=
    pass "a full disk keeps the entry byte for byte, and one message counts the failures"
else
    echo "SKIP: a full disk needs root to mount a tmpfs"
fi

choose_from_menu "Start at Login"
wait_entry absent
# Its runs were kept: the window asks whether to delete them too. No.
wait_named_window 'Delete the run history' "unticked, the window did not ask about the run history"
xdotool windowfocus --sync "$FOUND" key Escape
wait_gone "$FOUND" "the question stayed open"
pass "unticked, the entry is gone, and the window asked about its run history"

# A one-time start kept at login runs once; the entry then keeps it as done,
# and the window it starts next is unarmed, quiet, and says when it started.
exit_app
before=$(runs)
at=$(date -d "@$(($(date +%s) + 3))" '+%Y/%m/%d %H:%M:%S')
"$VENTARO" --at "$at" --set -- "$rec" once >"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_window
choose_from_menu "Start at Login"
wait_entry present
wait_runs $((before + 1))
for _ in $(seq 100); do grep -q -- '--started-once' "$entry" && break; sleep 0.05; done
exit_app
launch_entry
wait_window
APP_PID=$(xdotool getwindowpid "$WIN")
window_geometry
read_tree
grep -q "Started once at $at" "$WORK/tree" && [ "$WH" -gt 18 ] && [ -z "$(our_windows message)" ] && [ "$(runs)" -eq $((before + 1)) ] \
    || fail "back from its entry: $WH pixels high, $(runs) runs, $(grep -i activat "$WORK/tree"), $(our_windows message)"
pass "a one-time start made, Exit, the entry again: unarmed, quiet, \"Started once at $at\""
