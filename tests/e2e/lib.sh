# Shared by the end-to-end tests: a private Xvfb, the program started in it,
# and clean-up of both (and of whatever a test started) however the test ends.
# The tests drive the program only as a person would: xdotool for the mouse
# and keyboard, xwininfo and import for what the X server shows.
set -eu

VENTARO=$1
WORK=$(mktemp -d)
XVFB_PID=
APP_PID=
BUS_PID=
EXTRA_PIDS=
MOUNTS=

# Whatever runs on the host (a desktop, its notification daemon, a screen
# reader, an X server on :0) is out of reach: a home, a runtime folder and a
# session bus of the test's own, whose only service folder is the test's.
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS DBUS_SYSTEM_BUS_ADDRESS AT_SPI_BUS_ADDRESS \
    XDG_SESSION_TYPE XDG_CURRENT_DESKTOP DESKTOP_SESSION SESSION_MANAGER XDG_CONFIG_DIRS XDG_DATA_DIRS
export HOME="$WORK/home"
export XDG_RUNTIME_DIR="$WORK/runtime" XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache" \
    XDG_DATA_HOME="$HOME/.local/share" XDG_STATE_HOME="$HOME/.local/state"
export GSETTINGS_BACKEND=memory QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
mkdir -p "$HOME" "$WORK/services"
mkdir -m 0700 "$XDG_RUNTIME_DIR"

cleanup() {
    status=$?
    trap - EXIT INT TERM
    for mount in $MOUNTS; do umount -l "$mount" 2>/dev/null || true; done
    # The program, what the test started, and whatever still runs from the
    # test's folder (the commands the program started, the buses).
    for pid in $APP_PID $EXTRA_PIDS; do kill "$pid" 2>/dev/null || true; done
    pkill -f -- "$WORK" 2>/dev/null || true
    [ -n "$BUS_PID" ] && kill "$BUS_PID" 2>/dev/null || true
    # Xvfb removes its lock and socket as it ends: waited for.
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$WORK"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# Says what went wrong and what there was to see: whether the program still
# runs, what it printed, and the windows on screen.
fail() {
    {
        echo "FAIL: $*"
        if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
            echo "-- the program (process $APP_PID) still runs"
        elif [ -n "$APP_PID" ]; then
            echo "-- the program (process $APP_PID) has ended"
        fi
        echo "-- what it printed:"
        cat "$WORK/app.log" 2>/dev/null
        if [ -n "${DISPLAY:-}" ]; then
            echo "-- windows on $DISPLAY:"
            xwininfo -root -tree 2>&1 | grep -v '(has no name): ()  1x1+' | head -n 60
        fi
    } >&2
    exit 1
}

pass() {
    echo "PASS: $*"
}

# Waits until a server has written FILE (what it was asked to tell); fails with WHY.
wait_written() {
    for _ in $(seq 100); do
        [ -s "$1" ] && return 0
        sleep 0.05
    done
    fail "$2"
}

# A bus of the test's own, listening at $XDG_RUNTIME_DIR/NAME, with the
# configuration lines given besides (a service folder: only the test's);
# sets BUS_ADDRESS and STARTED_PID.
private_bus() {
    cat >"$WORK/$1.conf" <<BUS
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  ${2:-}
  <listen>unix:path=$XDG_RUNTIME_DIR/$1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
BUS
    dbus-daemon --config-file="$WORK/$1.conf" --nofork --print-address=3 3>"$WORK/$1-address" 2>/dev/null &
    STARTED_PID=$!
    wait_written "$WORK/$1-address" "the bus $1 did not start"
    BUS_ADDRESS=$(head -n 1 "$WORK/$1-address")
}

# The test's own session bus: no host folder, so nothing of the host's is
# started on demand.
start_session_bus() {
    private_bus bus "<type>session</type><servicedir>$WORK/services</servicedir>"
    BUS_PID=$STARTED_PID
    DBUS_SESSION_BUS_ADDRESS=$BUS_ADDRESS
    export DBUS_SESSION_BUS_ADDRESS
}
start_session_bus

# -noreset: a reset as the last xdotool query leaves refuses a program connecting.
# -displayfd: the server takes the first display number that is free.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 800x600x24 -dpi 96 -nolisten tcp -noreset 3>"$WORK/display" 2>/dev/null &
    XVFB_PID=$!
    wait_written "$WORK/display" "Xvfb did not start"
    DISPLAY=:$(cat "$WORK/display")
    export DISPLAY
}

# Our visible windows of a kind, told apart as the window manager tells them:
# main (the window itself: frameless, managed), menu (a pop-up: not managed,
# not a tool tip), message (our message window: a utility window).
our_windows() {
    for win in $(xdotool search --onlyvisible --classname ventaro 2>/dev/null); do
        facts="$(xprop -id "$win" _NET_WM_WINDOW_TYPE 2>/dev/null) $(xwininfo -id "$win" 2>/dev/null | grep 'Override Redirect')"
        case $1:$facts in
        menu:*TOOLTIP*) ;;
        menu:*"State: yes"*) echo "$win" ;;
        message:*UTILITY*) echo "$win" ;;
        main:*UTILITY* | main:*"State: yes"*) ;;
        main:*_KDE_NET_WM_WINDOW_TYPE_OVERRIDE*) echo "$win" ;;
        esac
    done
}

# Waits for one of our windows of a kind (see our_windows); sets FOUND to its id.
wait_for_window() {
    FOUND=
    for _ in $(seq 200); do
        FOUND=$(our_windows "$1" | head -n 1)
        [ -n "$FOUND" ] && return 0
        sleep 0.05
    done
    fail "$2"
}

# Waits for a visible window whose name matches the pattern; sets FOUND to its id.
wait_named_window() {
    FOUND=
    for _ in $(seq 200); do
        FOUND=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$FOUND" ] && return 0
        sleep 0.05
    done
    fail "$2"
}

# Waits for the program's window; sets WIN to its X window id.
wait_window() {
    wait_for_window main "the window did not appear"
    WIN=$FOUND
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

# A screen reader's bus on the test's own session bus, started with it: the
# program is read over it, and menu items are chosen by name through it.
# read_tree [poke | press NAME] writes what it finds to $WORK/tree.
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
EXTRA_PIDS=$!
wait_bus_name org.a11y.Bus
read_tree() {
    /usr/bin/python3 "$(dirname "$0")/accessibility_reader.py" "$@" >"$WORK/tree" || fail "no tree: $(cat "$WORK/tree")"
}

# Waits for our message window; sets MESSAGE to its X window id, or fails
# saying what was not told.
wait_message_window() {
    wait_for_window message "no message window: $1"
    MESSAGE=$FOUND
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

# Waits until the clock's pixels change (it goes on); sets DIFFER to how
# many did, or fails after 3 seconds.
wait_clock_moves() {
    import -window "$WIN" -crop "$CLOCK_CROP" "$WORK/clock1.png"
    DIFFER=0
    for _ in $(seq 60); do
        import -window "$WIN" -crop "$CLOCK_CROP" "$WORK/clock2.png"
        DIFFER=$(compare -metric AE "$WORK/clock1.png" "$WORK/clock2.png" null: 2>&1 || true)
        [ "${DIFFER%% *}" != "0" ] && return 0
        sleep 0.05
    done
    fail "the clock did not change in 3 seconds"
}

# Opens the icon's menu with a click and waits for it; sets MENU to its X window id.
open_menu() {
    click_at 17 9
    wait_for_window menu "the menu did not open at the icon"
    MENU=$FOUND
}

# Waits until the X window given is no longer on screen; fails with WHY.
wait_gone() {
    for _ in $(seq 100); do
        xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable' || return 0
        sleep 0.05
    done
    fail "$2"
}

# Opens the icon's menu and chooses the item of that name as a screen
# reader's user would: down the menu until that item is the one read, then
# Return. Waits until the menu's own window is gone; what the item shows
# next is for the caller to wait for.
choose_from_menu() {
    open_menu
    /usr/bin/python3 "$(dirname "$0")/accessibility_reader.py" choose "$1" >"$WORK/chosen" 2>&1 \
        || fail "could not choose \"$1\" from the menu: $(cat "$WORK/chosen")"
    wait_gone "$MENU" "the menu stayed open after choosing \"$1\""
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
    choose_from_menu Set
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

# A system bus of the test's own, with the stand-in login manager on it
# (refusing every lock while $WORK/refuse exists); its log is $WORK/locks.
start_login_manager() {
    private_bus system_bus
    EXTRA_PIDS="$EXTRA_PIDS $STARTED_PID"
    DBUS_SYSTEM_BUS_ADDRESS=$BUS_ADDRESS
    export DBUS_SYSTEM_BUS_ADDRESS
    /usr/bin/python3 "$(dirname "$0")/login_manager.py" "$WORK/locks" "$WORK/refuse" &
    EXTRA_PIDS="$EXTRA_PIDS $!"
    for _ in $(seq 100); do
        dbus-send --system --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
            string:org.freedesktop.login1 2>/dev/null | grep -q true && return 0
        sleep 0.05
    done
    fail "the stand-in login manager did not start"
}
