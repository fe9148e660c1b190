#!/bin/sh
# Output flood: a command that writes 200 MB of lines as fast as it can,
# started with Run Now in the real program under a private Xvfb. Prints
# ventaro's CPU seconds per 100 MB, the longest a key typed meanwhile took to
# change the window (its title follows the command box), and its resident
# memory before and after. Usage: bench/flood.sh (about half a minute)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/scripts/packages.sh"
# shellcheck disable=SC2086
"$here/scripts/ensure-packages.sh" $TEST_PACKAGES
build=$here/build-bench
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target ventaro >/dev/null

export LANG=C.UTF-8 LC_ALL=C.UTF-8 XDG_RUNTIME_DIR=/tmp
set -- "$build/app/ventaro"
. "$here/tests/e2e/lib.sh"
start_xvfb
# The session's log is where the output goes too: here, nowhere.
APP_ENV=${FLOOD_ENV-"QT_LOGGING_RULES=ventaro.output=false"}
start_app
ticks=$(getconf CLK_TCK)
cpu() { awk -v t="$ticks" '{ printf "%.2f", ($14 + $15) / t }' "/proc/$APP_PID/stat"; }
rss() { awk '/^VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$APP_PID/status"; }
flood=$WORK/flood.sh
printf '#!/bin/sh\nyes "a line of output, as a busy command writes it" | head -c 200000000\necho done > %s/done\n' \
    "$WORK" >"$flood"
chmod +x "$flood"
# shellcheck disable=SC2086
type_into $COMMAND "$flood"
sleep 1
rss_before=$(rss)
cpu_before=$(cpu)
xdotool key ctrl+r
# Keys typed while it floods: each must change the title.
worst=0
for i in $(seq 20); do
    [ -s "$WORK/done" ] && break
    title=$(xdotool getwindowname "$WIN")
    t0=$(date +%s%N)
    xdotool key x
    while [ "$(xdotool getwindowname "$WIN")" = "$title" ]; do :; done
    took=$((($(date +%s%N) - t0) / 1000000))
    [ "$took" -gt "$worst" ] && worst=$took
    sleep 0.1
done
for _ in $(seq 600); do [ -s "$WORK/done" ] && break; sleep 0.1; done
[ -s "$WORK/done" ] || fail "the flood did not end"
# Until ventaro has read all of it.
last=
while [ "$(cpu)" != "$last" ]; do last=$(cpu); sleep 0.5; done
cpu_after=$(cpu)
printf '| measure | result |\n|---|---|\n'
printf '| 200 MB of output: ventaro CPU per 100 MB | %.2f s |\n' "$(echo "$cpu_after $cpu_before" | awk '{ print ($1 - $2) / 2 }')"
printf '| a key typed meanwhile, longest wait (%d keys) | %d ms |\n' "$i" "$worst"
printf '| resident memory before / after | %s / %s MiB |\n' "$rss_before" "$(rss)"
