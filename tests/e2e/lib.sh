# Shared by the end-to-end tests: a private Xvfb, the program started in it,
# and clean-up of both (and of whatever a test started) however the test ends.
# The tests drive the program only as a person would: xdotool for the mouse
# and keyboard, xwininfo and import for what the X server shows.
set -eu

VENTARO=$1
WORK=$(mktemp -d)
XVFB_PID=
APP_PID=
EXTRA_PIDS=
MOUNTS=

cleanup() {
    status=$?
    for mount in $MOUNTS; do umount -l "$mount" 2>/dev/null || true; done
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    for pid in $EXTRA_PIDS; do kill "$pid" 2>/dev/null || true; done
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$WORK"
    exit $status
}
trap cleanup EXIT INT TERM

fail() {
    echo "FAIL: $*" >&2; cat "$WORK/app.log" >&2 2>/dev/null
    exit 1
}

pass() {
    echo "PASS: $*"
}

# -noreset: a reset as the last xdotool query leaves refuses a program connecting.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 800x600x24 -dpi 96 -nolisten tcp -noreset 3>"$WORK/display" 2>/dev/null &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$WORK/display" ] && break
        sleep 0.05
    done
    [ -s "$WORK/display" ] || fail "Xvfb did not start"
    DISPLAY=:$(cat "$WORK/display")
    export DISPLAY
}

# Waits for the program's window; sets WIN to its X window id.
wait_window() {
    WIN=
    for _ in $(seq 200); do
        WIN=$(xdotool search --onlyvisible --classname ventaro 2>/dev/null | head -n 1) || true
        [ -n "$WIN" ] && break
        sleep 0.05
    done
    [ -n "$WIN" ] || fail "the window did not appear; the program printed: $(cat "$WORK/app.log")"
}

# Waits until NAME has an owner on the session bus (bounded).
wait_bus_name() {
    for _ in $(seq 100); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
            "string:$1" 2>/dev/null | grep -q true && return 0
        sleep 0.05
    done
    fail "nothing owns $1 on the session bus"
}

# A screen reader's bus, on this test's own session bus, and the program
# to be read over it; read_tree [poke | press NAME] writes what it finds to
# $WORK/tree.
start_accessibility() {
    [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "no session bus: run me under dbus-run-session"
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    EXTRA_PIDS="$EXTRA_PIDS $!"
    wait_bus_name org.a11y.Bus
}
read_tree() {
    /usr/bin/python3 "$(dirname "$0")/accessibility_reader.py" "$@" >"$WORK/tree" || fail "no tree: $(cat "$WORK/tree")"
}

# Waits for our message window (no notification service); sets MESSAGE to
# its X window id, or fails saying what was not told.
wait_message_window() {
    MESSAGE=
    for _ in $(seq 80); do
        MESSAGE=$(xdotool search --onlyvisible --name '^ventaro$' 2>/dev/null | head -n 1) || true
        [ -n "$MESSAGE" ] && return 0
        sleep 0.1
    done
    fail "no message window: $1"
}

# Starts the program (with APP_ENV's NAME=value words added to its
# environment) and waits for its window.
start_app() {
    # shellcheck disable=SC2086
    env ${APP_ENV:-} "$VENTARO" >"$WORK/app.log" 2>&1 &
    APP_PID=$!
    wait_window
    wait_painted
}

# Waits until the window shows its clock: drawn, so it takes input.
wait_painted() {
    for _ in $(seq 100); do
        colours=$(import -window "$WIN" -crop "$CLOCK_CROP" +repage png:- 2>/dev/null | identify -format '%k' - 2>/dev/null) || true
        [ "${colours:-0}" -gt 1 ] && return 0
        sleep 0.05
    done
    fail "the window never showed its clock"
}

# How many windows of ours are on screen: the window, its menu, messages.
shown_windows() { xdotool search --onlyvisible --classname ventaro 2>/dev/null | wc -l; }

# Waits until shown_windows is more (more) or back to (back) COUNT.
wait_shown() {
    for _ in $(seq 100); do
        shown=$(shown_windows)
        { [ "$1" = more ] && [ "$shown" -gt "$2" ]; } || { [ "$1" = back ] && [ "$shown" -le "$2" ]; } && return 0
        sleep 0.05
    done
    fail "our windows on screen stayed at $(shown_windows), not $1 $2"
}

# Waits until the window stands at (x, y); fails with WHY when it does not.
wait_window_at() {
    for _ in $(seq 60); do
        window_geometry
        [ "$WX" -eq "$1" ] && [ "$WY" -eq "$2" ] && return 0
        sleep 0.05
    done
    fail "$3 (the window is at $WX,$WY, not $1,$2)"
}

# The window's position and size from the X server: sets WX, WY, WW, WH.
window_geometry() {
    info=$(xwininfo -id "$WIN")
    WX=$(printf '%s\n' "$info" | sed -n 's/.*Absolute upper-left X: *//p')
    WY=$(printf '%s\n' "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
    WW=$(printf '%s\n' "$info" | sed -n 's/.*Width: *//p')
    WH=$(printf '%s\n' "$info" | sed -n 's/.*Height: *//p')
}

# Clicks at a point given in pixels from the window's top left corner.
click_at() {
    window_geometry
    xdotool mousemove $((WX + $1)) $((WY + $2)) click "${3:-1}"
}

# Drags with the left button from a point in the window by (dx, dy).
drag_from() {
    window_geometry
    x=$((WX + $1))
    y=$((WY + $2))
    xdotool mousemove "$x" "$y" mousedown 1
    for step in 1 2 3 4; do
        xdotool mousemove $((x + $3 * step / 4)) $((y + $4 * step / 4))
    done
    xdotool mouseup 1
}

# Opens the icon's menu and chooses an item by its place: 1 Set, 2 Release, 3 Exit.
choose_from_menu() {
    menu_from=$(shown_windows)
    click_at 17 9
    wait_shown more "$menu_from"
    case $1 in
    1) xdotool key Down Return ;;
    2) xdotool key Down Down Return ;;
    3) xdotool key Up Return ;;
    esac
    # Exit closes the window too.
    wait_shown back "$menu_from"
}

# Replaces the text of the box at (x, y) with the given text.
type_into() {
    click_at "$1" "$2"
    xdotool key ctrl+a
    xdotool type --delay 5 "$3"
}

# Arms a schedule as a person would: the command, a "Seconds After" count
# (no unit when the count is empty), the activation second (seconds since the
# epoch, shown in the time zone TZ names), then Set.
arm_schedule() {
    # shellcheck disable=SC2086
    type_into $COMMAND "$1"
    if [ -n "$2" ]; then
        # shellcheck disable=SC2086
        click_at $OPTION_SECONDS
        # shellcheck disable=SC2086
        type_into $INTERVAL "$2"
    fi
    # shellcheck disable=SC2086
    type_into $ACTIVATE "$(date -d "@$3" '+%Y/%m/%d %H:%M:%S')"
    choose_from_menu 1
}

# Window-relative places of the controls (one-pixel frame plus client pixels).
ICON="17 9"
ACTIVATE="300 10"
COMMAND="200 65"
INTERVAL="85 122"
OPTION_SECONDS="111 145"
COMMAND_LABEL="30 65"
PLUS_SECONDS="348 23"
BARE="6 141"
CLOCK_CROP="120x14+26+4"
