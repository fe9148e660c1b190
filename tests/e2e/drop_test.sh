#!/bin/sh
# A file dragged from another program onto the command box is what starts,
# even with a blank in its path beside a program planted at the shorter path,
# and named with this computer's host name as the drag protocol suggests;
# the same file dropped on the activation box changes nothing.
. "$(dirname "$0")/lib.sh"
DRAG_SOURCE=$2
start_xvfb
start_app

mkdir -p "$WORK/x/My Apps"
printf '#!/bin/sh\ntouch "%s/planted-ran"\n' "$WORK" >"$WORK/x/My"
printf '#!/bin/sh\ntouch "%s/tool-ran"\n' "$WORK" >"$WORK/x/My Apps/tool"
chmod +x "$WORK/x/My" "$WORK/x/My Apps/tool"
"$DRAG_SOURCE" "file://$(hostname)$(printf '%s' "$WORK/x/My Apps/tool" | sed 's/ /%20/g')" &
EXTRA_PIDS="$EXTRA_PIDS $!"
for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^drag-source$' >/dev/null 2>&1 && break
    sleep 0.05
done
xdotool search --onlyvisible --name '^drag-source$' >/dev/null 2>&1 || fail "the drag source did not appear"

# Drags from the source window to a point given in pixels from our window's corner.
drag_file_to() {
    window_geometry
    xdotool mousemove 630 430 mousedown 1
    for i in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((630 - i * (630 - WX - $1) / 8)) $((430 - i * (430 - WY - $2) / 8))
        sleep 0.05
    done
    sleep 0.3
    xdotool mouseup 1
    sleep 0.5
}

crop_activate() { import -window "$WIN" -crop 120x14+243+3 "$WORK/$1.png"; }
crop_activate before
# shellcheck disable=SC2086
drag_file_to $ACTIVATE
crop_activate after
differ=$(compare -metric AE "$WORK/before.png" "$WORK/after.png" null: 2>&1 || true)
[ "${differ%% *}" = "0" ] || fail "a file dropped on the activation box changed it ($differ pixels)"
pass "a file dropped on the activation box leaves it as it was"

# shellcheck disable=SC2086
drag_file_to $COMMAND
at=$(($(date +%s) + 3))
# shellcheck disable=SC2086
type_into $ACTIVATE "$(date -d "@$at" '+%Y/%m/%d %H:%M:%S')"
choose_from_menu Set
sleep $((at - $(date +%s) + 2))
[ -f "$WORK/tool-ran" ] || fail "the dropped program did not start"
[ ! -f "$WORK/planted-ran" ] || fail "the program planted at the shorter path started"
pass "the dropped \"My Apps/tool\" started, the planted \"My\" did not"
