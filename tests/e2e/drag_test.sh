#!/bin/sh
# Dragging the bare background moves the window by as much; dragging from a
# label or a button does not move it.
. "$(dirname "$0")/lib.sh"
start_xvfb
start_app

window_geometry
x0=$WX
y0=$WY
# shellcheck disable=SC2086
drag_from $BARE 40 25
window_geometry
[ "$WX" -eq $((x0 + 40)) ] && [ "$WY" -eq $((y0 + 25)) ] \
    || fail "background drag moved the window to $WX,$WY from $x0,$y0"
pass "background drag by (+40, +25) moved the window by (+40, +25)"

x0=$WX
y0=$WY
# shellcheck disable=SC2086
drag_from $COMMAND_LABEL 40 25
# shellcheck disable=SC2086
drag_from $PLUS_SECONDS 40 25
window_geometry
[ "$WX" -eq "$x0" ] && [ "$WY" -eq "$y0" ] || fail "a drag from a control moved the window"
pass "drags from a label and a button leave the window in place"
