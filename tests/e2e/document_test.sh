#!/bin/sh
# A sound file as the command opens in the desktop's default application
# (a stand-in xdg-open that records what it is asked to open), and Shift+F10
# opens the menu from the keyboard to arm it.
. "$(dirname "$0")/lib.sh"
mkdir -p "$WORK/bin"
cat >"$WORK/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$@" > "$WORK/opened"
SCRIPT
chmod +x "$WORK/bin/xdg-open"
PATH=$WORK/bin:$PATH
export PATH
sound="$WORK/wake up.wav"
printf 'RIFF' >"$sound"

start_xvfb
start_app
# shellcheck disable=SC2086
type_into $COMMAND "$sound"
at=$(( $(date +%s) + 3 ))
# shellcheck disable=SC2086
type_into $ACTIVATE "$(date -d "@$at" '+%Y/%m/%d %H:%M:%S')"
xdotool key shift+F10
wait_for_window menu "Shift+F10 did not open the menu"
xdotool key Return # the first item, Set, is current
wait_gone "$FOUND" "Return left the menu open"
for _ in $(seq 60); do window_geometry; [ "$WH" -eq 18 ] && break; sleep 0.05; done
[ "$WH" -eq 18 ] || fail "Shift+F10 and Set left the window $WH pixels high, not armed"
pass "Shift+F10 opens the menu and Set arms the schedule"

for _ in $(seq 80); do
    [ -s "$WORK/opened" ] && break
    sleep 0.1
done
[ -s "$WORK/opened" ] || fail "the document was not opened"
[ "$(cat "$WORK/opened")" = "$sound" ] || fail "xdg-open was asked to open '$(cat "$WORK/opened")'"
pass "the sound file was handed to xdg-open as one argument: $sound"
