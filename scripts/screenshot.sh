#!/bin/sh
# Takes the README's screenshot: the window as a person sees it, under a
# virtual X server at 96 dpi (QT_SCALE_FACTOR=2 for the 192 dpi look).
# Usage: scripts/screenshot.sh [build dir] [output png]
# Needs xvfb, xdotool and imagemagick (the test command installs them).
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
out=${2:-$here/docs/screenshot.png}
display=:$(( $$ % 400 + 100 ))

Xvfb "$display" -screen 0 800x480x24 -dpi 96 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
app=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT INT TERM
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$build/app/ventaro" &
app=$!
xdotool search --sync --classname ventaro >/dev/null
sleep 1.5 # let the clock show its first second
window=$(xdotool search --classname ventaro | head -n 1)
mkdir -p "$(dirname "$out")"
import -window "$window" "$out"
echo "wrote $out"
