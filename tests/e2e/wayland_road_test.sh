#!/bin/sh
# The road under Wayland, in a headless Weston: armed from the command line
# the window is the strip and starts its command within its second and two
# seconds later; Release, chosen from the icon's menu as a screen reader
# would (a headless compositor has no keyboard), brings the full window back
# and nothing starts after it. A failure's message window, with no
# notification service, stands below where the full window reaches, seen
# on the compositor's own screenshot.
. "$(dirname "$0")/lib.sh"
if ! command -v weston >/dev/null 2>&1; then
    echo "SKIP: Weston is not installed (Debian's weston)"
    exit 0
fi
if ! ls /usr/lib/*/qt6/plugins/platforms/libqwayland* >/dev/null 2>&1; then
    echo "SKIP: Qt's Wayland plugin is not installed (Debian's qt6-wayland)"
    exit 0
fi
# Pixman draws what the screenshooter reads; --debug lets it.
weston --backend=headless-backend.so --use-pixman --debug --socket=ventaro-test --width=800 --height=600 --idle-time=0 \
    >"$WORK/weston.log" 2>&1 &
EXTRA_PIDS="$EXTRA_PIDS $!"
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/ventaro-test" ] && break
    sleep 0.05
done
[ -S "$XDG_RUNTIME_DIR/ventaro-test" ] || fail "Weston did not start: $(cat "$WORK/weston.log")"
export WAYLAND_DISPLAY=ventaro-test QT_QPA_PLATFORM=wayland

# The window's height as the compositor gave it, read over AT-SPI.
height() { /usr/bin/python3 "$(dirname "$0")/accessibility_reader.py" size 2>/dev/null | cut -dx -f2; }
wait_height() {
    for _ in $(seq 60); do [ "$(height)" = "$1" ] && return 0; sleep 0.05; done
    fail "$2 (the window is $(height) pixels high)"
}

marker=$WORK/marker
at=$(($(date +%s) + 4))
"$VENTARO" --at "$(date -d "@$at" '+%Y/%m/%d %H:%M:%S')" --every 2s --set -- /bin/sh -c "date +%s.%N >> '$marker'" \
    >"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_height 18 "Set from the command line did not make the strip"
pass "under Wayland, Set makes the 18-pixel strip"

for _ in $(seq 160); do [ "$(wc -l <"$marker" 2>/dev/null || echo 0)" -ge 2 ] && break; sleep 0.05; done
first=$(sed -n 1p "$marker" 2>/dev/null)
second=$(sed -n 2p "$marker" 2>/dev/null)
[ "${first%%.*}" = "$at" ] || fail "first start at ${first:-never}, not within second $at"
[ "${second%%.*}" = "$((at + 2))" ] || fail "second start at ${second:-never}, not within second $((at + 2))"
pass "started at $first and $second for activation second $at"

/usr/bin/python3 "$(dirname "$0")/accessibility_reader.py" press-in-menu Release >"$WORK/chosen" 2>&1 \
    || fail "could not choose Release: $(cat "$WORK/chosen")"
wait_height 156 "Release did not bring the full window back"
count=$(wc -l <"$marker")
# Two more slots would have come by now.
sleep 4.5
[ "$(wc -l <"$marker")" -eq "$count" ] || fail "the command started after Release"
pass "Release brings the full window back, and nothing starts after it"

kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
# On the compositor's screenshot, pixels of the strip's grey, or of the
# message window's, in an area (all of the screen by default).
count_of() {
    rm -f "$WORK"/wayland-screenshot-*.png
    (cd "$WORK" && weston-screenshooter >/dev/null 2>&1) || fail "no screenshot"
    convert "$WORK"/wayland-screenshot-*.png -crop "${2:-800x600+0+0}" +repage -fill black +opaque "$1" -fill white -opaque "$1" \
        -format '%[fx:int(mean*w*h)]' info:
}
panel='rgb(64,64,64)' face='rgb(239,239,239)'
at=$(($(date +%s) + 3))
"$VENTARO" --at "$(date -d "@$at" '+%Y/%m/%d %H:%M:%S')" --set -- /bin/false >"$WORK/app.log" 2>&1 &
APP_PID=$!
wait_height 18 "the failing schedule did not make the strip"
for _ in $(seq 40); do [ "$(count_of "$panel")" -gt 1000 ] && break; sleep 0.05; done
strip=$(convert "$WORK"/wayland-screenshot-*.png -fill black +opaque "$panel" -format '%@' info:)
for _ in $(seq 100); do [ "$(count_of "$face")" -gt 5000 ] && break; sleep 0.1; done
[ "$(count_of "$face")" -gt 5000 ] || fail "no message window told the failure"
# Below the strip, where the full window will be, none of its face shows.
covered=$(count_of "$face" "${strip%%x*}x138+$(echo "$strip" | cut -d+ -f2)+$(($(echo "$strip" | cut -d+ -f3) + 18))")
[ "$covered" -lt 200 ] || fail "the message window covers where the full window will be ($covered pixels, strip at $strip)"
pass "the message window stands clear of the full window's place below the strip at $strip"
