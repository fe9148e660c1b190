#!/bin/sh
# A schedule that outlives the session: started from the command line with
# awkward arguments it runs them exactly, every two seconds; "Start at Login"
# writes a valid autostart entry; the program the desktop starts from that
# entry shows the same schedule armed and runs it on; unticking removes it.
. "$(dirname "$0")/lib.sh"
start_xvfb
export XDG_CONFIG_HOME="$WORK/config"
rec=$WORK/rec
printf '#!/bin/sh\nout="$0.$$.out"\n: > "$out.tmp"\nfor a in "$@"; do printf "%%s\\n" "$a" >> "$out.tmp"; done\nmv "$out.tmp" "$out"\n' >"$rec"
chmod +x "$rec"
expected=$(printf 'a b\nc"d\nx%%y$z\\\n\n')

# Waits until the recorder has run N times in all.
wait_runs() {
    for _ in $(seq 200); do
        [ "$(find "$WORK" -maxdepth 1 -name 'rec.*.out' | wc -l)" -ge "$1" ] && return 0
        sleep 0.05
    done
    fail "the recorder ran $(find "$WORK" -maxdepth 1 -name 'rec.*.out' | wc -l) times, not $1: $(cat "$WORK/app.log")"
}
# Opens the menu at the icon and chooses "Start at Login", the third item.
toggle_login() {
    click_at 17 9
    sleep 0.4
    xdotool key Down Down Down Return
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
"$VENTARO" --at "$at" --every 2s --set -- "$rec" "a b" 'c"d' 'x%y$z\' '' >"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_runs 2
first=$(ls -tr "$WORK"/rec.*.out | head -n 2)
# shellcheck disable=SC2086
set -- $(stat -c %Y $first)
[ $(($2 - $1)) -eq 2 ] || fail "the two starts were $(($2 - $1)) s apart, not 2"
for out in $first; do [ "$(cat "$out")" = "$expected" ] || fail "it ran with: $(cat "$out")"; done
pass "--at, --every 2s, --set, -- recorder with awkward arguments: two starts 2 s apart, arguments exact"

WIN=$(xdotool search --onlyvisible --pid "$APP_PID" --classname ventaro | head -n 1)
toggle_login
wait_entry present
desktop-file-validate "$entry" || fail "the entry does not validate: $(cat "$entry")"
pass "Start at Login wrote $(basename "$entry"), which desktop-file-validate accepts"

choose_from_menu 3
for _ in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.05; done
APP_PID=
[ -f "$entry" ] || fail "Exit removed the entry"
runs=$(find "$WORK" -maxdepth 1 -name 'rec.*.out' | wc -l)

# As the desktop starts it at login.
/usr/bin/python3 -c 'import sys; from gi.repository import Gio; Gio.DesktopAppInfo.new_from_filename(sys.argv[1]).launch([], None)' "$entry"
wait_window
APP_PID=$(xdotool getwindowpid "$WIN")
wait_runs $((runs + 2))
window_geometry
[ "$WH" -eq 18 ] || fail "started from the entry, the window is $WH pixels high, not armed"
for out in $(ls -t "$WORK"/rec.*.out | head -n 2); do [ "$(cat "$out")" = "$expected" ] || fail "it ran with: $(cat "$out")"; done
pass "the entry's Exec brings the same schedule back armed: it runs on with the same arguments"

toggle_login
wait_entry absent
pass "unticked, the entry is gone"
