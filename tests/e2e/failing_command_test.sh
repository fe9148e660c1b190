#!/bin/sh
# Without a notification service, under a window manager, a command that
# cannot start shows our message window: clear of the armed strip and of
# where the full window will be, by its real frame, even with the window
# near the bottom of the screen and within 8 pixels of its left edge, and
# beside the window rather than in a corner; without minimise or maximise
# buttons; never taking the focus. The menu still opens and the clock goes
# on. The history, opened from the full window, keeps clear of it too.
. "$(dirname "$0")/lib.sh"
start_xvfb
openbox --sm-disable >/dev/null 2>&1 &
EXTRA_PIDS="$EXTRA_PIDS $!"
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done
start_app
xdotool windowmove "$WIN" 3 430
for _ in $(seq 100); do window_geometry; [ "$WY" = 430 ] && [ "$WX" = 3 ] && break; sleep 0.05; done
[ "$WY" = 430 ] && [ "$WX" = 3 ] || fail "the window did not move to the bottom left of the screen"
full="$WX $WY $WW $WH"

arm_schedule "/nonexistent/ventaro-e2e-program-whose-name-leaves-no-room-to-the-right --flag" "" $(( $(date +%s) + 3 ))
wait_message_window "the failed start was not told"
message=$MESSAGE
pass "the message window is shown"

# A window's frame, as the window manager drew it, once it has stopped
# moving (in $last), and that frame's place beside the full window.
settle_frame() {
    last=
    for _ in $(seq 40); do
        now=$(xwininfo -frame -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
            /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }')
        [ "$now" = "$last" ] && break
        last=$now
        sleep 0.1
    done
}
clear_of_full() {
    # shellcheck disable=SC2086
    set -- $last $full
    [ $(($1 + $3)) -le "$5" ] || [ "$1" -ge $(($5 + $7)) ] || [ $(($2 + $4)) -le "$6" ] || [ "$2" -ge $(($6 + $8)) ]
}
settle_frame "$message"
clear_of_full || fail "the message window's frame ($last) covers the full window ($full)"
# shellcheck disable=SC2086
set -- $last $full
[ $(($2 + $4)) -le "$6" ] && [ "$1" -lt $(($5 + $7)) ] || fail "its frame ($last) is not above the window ($full)"
pass "its frame ($last) keeps clear of the full window ($full), above it, not in a corner"

inner=$(xwininfo -id "$message" | awk '/Width:/ { w = $NF } /Height:/ { h = $NF } END { print w, h }')
[ "$inner" = "$3 $4" ] || fail "the window manager framed it (${3}x$4 around $inner): a title bar brings buttons"
pass "no title bar, so no minimise or maximise button"
[ "$(xdotool getwindowfocus)" != "$message" ] || fail "it took the focus"
pass "it did not take the focus"

open_menu
xdotool key Escape
wait_gone "$MENU" "Escape left the menu open"
pass "the menu at the icon still opens"

wait_clock_moves
pass "the clock keeps running ($DIFFER pixels changed)"
kill -0 "$APP_PID" || fail "the program ended"

choose_from_menu Release
xdotool key --window "$WIN" F1
wait_named_window "status and starts" "F1 did not open the history"
settle_frame "$FOUND"
clear_of_full || fail "the history's frame ($last) covers the full window ($full)"
pass "the history's frame ($last) keeps clear of the full window ($full)"
