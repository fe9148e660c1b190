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
wait_window_at $((x0 + 40)) $((y0 + 25)) "background drag from $x0,$y0 did not move the window by (+40, +25)"
pass "background drag by (+40, +25) moved the window by (+40, +25)"

x0=$WX
y0=$WY
# shellcheck disable=SC2086
drag_from $COMMAND_LABEL 40 25
# shellcheck disable=SC2086
drag_from $PLUS_SECONDS 40 25
# A last drag of the bare surface is handled after them: where it lands
# says whether they moved the window.
# shellcheck disable=SC2086
drag_from $BARE 1 1
wait_window_at $((x0 + 1)) $((y0 + 1)) "a drag from a control moved the window"
pass "drags from a label and a button leave the window in place"
