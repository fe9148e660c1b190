#!/bin/sh
# Takes the README's screenshots under a virtual X server at 96 dpi
# (QT_SCALE_FACTOR=2 for the 192 dpi look): the window as a person sees it,
# or with --history-ja the history window in Japanese (a schedule armed from
# the command line runs every second, then F1 opens its history; the locale
# is made by localedef in a folder of the script's own).
# Usage: scripts/screenshot.sh [--history-ja] [build dir] [output png]
# Needs xvfb, xdotool, imagemagick and locales (the test command installs them).
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
history=
if [ "${1:-}" = --history-ja ]; then
    history=yes
    shift
fi
build=${1:-$here/build}
out=${2:-$here/docs/${history:+history-ja}${history:-screenshot}.png}
work=$(mktemp -d)
display=:$(( $$ % 400 + 100 ))

Xvfb "$display" -screen 0 800x480x24 -dpi 96 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
app=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT INT TERM
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
mkdir -p "$(dirname "$out")"

if [ -z "$history" ]; then
    "$build/app/ventaro" &
    app=$!
    xdotool search --sync --classname ventaro >/dev/null
    sleep 1.5 # let the clock show its first second
    window=$(xdotool search --classname ventaro | head -n 1)
    import -window "$window" "$out"
    echo "wrote $out"
    exit 0
fi

mkdir -p "$work/locale" "$work/home"
localedef -i ja_JP -f UTF-8 "$work/locale/ja_JP.UTF-8" >/dev/null 2>&1
unset LC_ALL LANGUAGE
# No desktop's notifications, login entries or history are touched.
export LOCPATH="$work/locale" LANG=ja_JP.UTF-8 HOME="$work/home" XDG_CONFIG_HOME="$work/home" \
    XDG_STATE_HOME="$work/home" DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
"$build/app/ventaro" --at "$(date -d '+1 second' '+%Y/%m/%d %H:%M:%S')" --every 1 second --one-at-a-time --set \
    -- /bin/echo "バックアップが完了しました" >/dev/null 2>&1 &
app=$!
window=$(xdotool search --sync --classname ventaro | head -n 1)
sleep 3.5 # let it run three times
xdotool windowfocus --sync "$window" key F1
history=$(xdotool search --sync --onlyvisible --name 'ventaro: 状態と起動' | head -n 1)
sleep 0.5 # let the history draw its rows
import -window "$history" "$out"
echo "wrote $out"
