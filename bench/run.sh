#!/bin/sh
# Firing benchmark: builds ventaro in Release mode, runs the real program in a
# private Xvfb, drives it with xdotool as a person would, and prints one table.
# Takes about six minutes; run it on a quiet machine, as root (it starts atd
# and cron to measure them beside ventaro). Usage: bench/run.sh
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/scripts/packages.sh"
# shellcheck disable=SC2086
"$here/scripts/ensure-packages.sh" $TEST_PACKAGES at cron
build=$here/build-bench
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target ventaro ventaro-history record_start record_run floor_launch label_clock bare_window >/dev/null
REC=$build/bench/record_start

export LANG=C.UTF-8 LC_ALL=C.UTF-8 XDG_RUNTIME_DIR=/tmp
set -- "$build/app/ventaro"
. "$here/tests/e2e/lib.sh"
start_xvfb

stop_app() {
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=
}
# Lateness in ms of each start (a file of seconds.nanoseconds) after the start
# of its own second.
lateness_ms() { awk -F. '{ printf "%.3f\n", substr($2 "000000000", 1, 9) / 1e6 }' "$1" | sort -n; }
percentile() { awk -v p="$1" '{ v[NR] = $1 } END { i = int((NR - 1) * p + 0.5) + 1; print v[i] }'; }
row() { printf '| %s | %s | %s |\n' "$1" "$2" "$3"; }

# 1. Firing lateness: 30 activations of a "Seconds After 1" schedule.
start_app
fires=$WORK/fires
first=$(( $(date +%s) + 4 ))
arm_schedule "$REC $fires" 1 "$first"
sleep $(( first + 30 - $(date +%s) ))
choose_from_menu 2
stop_app
awk -F. -v a="$first" '$1 >= a && $1 < a + 30' "$fires" >"$WORK/fires30"
late=$(lateness_ms "$WORK/fires30")
missed=$(( 30 - $(cut -d. -f1 "$WORK/fires30" | sort -u | wc -l) ))
extra=$(( $(wc -l <"$WORK/fires30") - 30 + missed ))

# 2. Stall: SIGSTOP for 3 s across an activation, then SIGCONT.
start_app
stall=$WORK/stall
at=$(( $(date +%s) + 4 ))
arm_schedule "$REC $stall" "" "$at"
while [ "$(date +%s)" -lt $((at - 1)) ]; do sleep 0.05; done
sleep 0.5
kill -STOP "$APP_PID"
sleep 3
cont=$(date +%s.%N)
kill -CONT "$APP_PID"
sleep 2
stop_app
stall_starts=$(wc -l <"$stall" 2>/dev/null || echo 0)
stall_after=$(awk -v c="$cont" 'NR == 1 { printf "%.1f", ($1 - c) * 1000 }' "$stall" 2>/dev/null || echo "-")

# 3. Idle cost, memory, and time from exec to a mapped window.
map_ms=
for i in 1 2 3 4 5; do
    t0=$(date +%s%N)
    "$VENTARO" >/dev/null 2>&1 &
    APP_PID=$!
    # Its own window, not one of an instance just stopped; never forever.
    for _ in $(seq 2000); do
        xdotool search --onlyvisible --pid "$APP_PID" --classname ventaro >/dev/null 2>&1 && break
    done
    map_ms="$map_ms $(( ($(date +%s%N) - t0) / 1000000 ))"
    sleep 0.5
    [ "$i" = 5 ] || stop_app
done
map_median=$(printf '%s\n' $map_ms | sort -n | sed -n 3p)
# CPU time of all its threads in nanoseconds, from the scheduler's own count
# (utime and stime come in whole clock ticks, too coarse for a minute idle).
cpu() { cat /proc/"$APP_PID"/task/*/schedstat | awk '{ s += $1 } END { printf "%d\n", s }'; }
switches() { cat /proc/"$APP_PID"/task/*/status | awk '/ctxt_switches/ { s += $2 } END { print s }'; }
# Sets IDLE_CPU and WAKEUPS for the program running as APP_PID over the
# given seconds (60), after letting it settle for the other (2).
measure_idle() {
    sleep "${2:-2}"
    c0=$(cpu); s0=$(switches)
    sleep "${1:-60}"
    c1=$(cpu); s1=$(switches)
    IDLE_CPU=$(awk -v c=$((c1 - c0)) -v t="${1:-60}" 'BEGIN { printf "%.3f s (%.3f%%)", c / 1e9, c / 1e9 / t * 100 }')
    WAKEUPS=$(awk -v s=$((s1 - s0)) -v t="${1:-60}" 'BEGIN { printf "%.1f", s / t }')
}
measure_idle
idle_cpu=$IDLE_CPU
wakeups=$WAKEUPS
# With the focus in the activation box: its caret blinks, then rests after
# ten seconds without input.
WIN=$(xdotool search --onlyvisible --pid "$APP_PID" --classname ventaro | head -n 1)
# shellcheck disable=SC2086
click_at $ACTIVATE
measure_idle 40 12
focused_cpu=$IDLE_CPU
focused_wakeups=$WAKEUPS
rss=$(awk '/VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$APP_PID/status")
database_maps=$(grep -c 'libQt6Sql\|ventaro-history' "/proc/$APP_PID/maps" || true)
hwm=$(awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$APP_PID/status")
stop_app
# Memory beside an empty Qt window and one with the same kinds of controls,
# each measured the same way, 3 s after it starts.
rss_of() {
    "$@" >/dev/null 2>&1 &
    APP_PID=$!
    for _ in $(seq 200); do
        xdotool search --onlyvisible --pid "$APP_PID" >/dev/null 2>&1 && break
        sleep 0.05
    done
    sleep 3
    awk '/VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$APP_PID/status"
    stop_app
}
bare_rss=$(rss_of "$build/bench/bare_window")
kinds_rss=$(rss_of "$build/bench/bare_window" --widgets)
# The same for a window whose clock is a plain QLabel, side by side.
"$build/bench/label_clock" >/dev/null 2>&1 &
APP_PID=$!
measure_idle
label_cpu=$IDLE_CPU
label_wakeups=$WAKEUPS
stop_app

# 4. Side by side: at and cron for the next minute, and the floor.
pgrep -x atd >/dev/null || atd
pgrep -x cron >/dev/null || cron
old_crontab=$WORK/crontab.old
crontab -l >"$old_crontab" 2>/dev/null || : >"$old_crontab"
minute=$(( ($(date +%s) / 60 + 1) * 60 ))
echo "$REC $WORK/at" | at -t "$(date -d "@$minute" '+%Y%m%d%H%M')" 2>/dev/null
{ cat "$old_crontab"; echo "* * * * * $REC $WORK/cron"; } | crontab -
"$build/bench/floor_launch" 30 "$REC" "$WORK/floor"
while [ ! -s "$WORK/at" ] || [ ! -s "$WORK/cron" ]; do
    [ "$(date +%s)" -gt $((minute + 125)) ] && break
    sleep 1
done
crontab "$old_crontab"
minute_late() { [ -s "$1" ] && awk 'NR == 1 { split($1, p, "."); printf "%.1f", (p[1] % 60) * 1000 + substr(p[2] "000000000", 1, 9) / 1e6 }' "$1" || echo "no start"; }
floor=$(lateness_ms "$WORK/floor")

echo
echo "ventaro $(git -C "$here" rev-parse --short HEAD 2>/dev/null || echo '?'), $(date '+%Y-%m-%d'), $(nproc) cores, $(uname -r), $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)"
echo
echo "| measure | result | goal |"
echo "|---|---|---|"
row "firing lateness p50, 30 activations" "$(printf '%s\n' "$late" | percentile 0.5) ms" "at most 5 ms"
row "firing lateness p99" "$(printf '%s\n' "$late" | percentile 0.99) ms" "at most 20 ms"
row "firing lateness max" "$(printf '%s\n' "$late" | tail -n 1) ms" ""
row "activation seconds with no start (extra starts)" "$missed ($extra)" "0"
row "stall: starts after SIGSTOP 3 s across the activation" "$stall_starts, ${stall_after} ms after SIGCONT" "1, right after"
row "idle CPU over 60 s, disarmed" "$idle_cpu" "at most 0.05%"
row "idle wake-ups (context switches) per second" "$wakeups" "at most 1.5"
row "idle over 40 s with the activation box focused: CPU, wake-ups" "$focused_cpu, $focused_wakeups/s" "at most 3/4 of the QLabel clock's CPU; 1.5/s"
row "the same with a plain QLabel clock: CPU, wake-ups" "$label_cpu, $label_wakeups/s" ""
row "resident memory VmRSS / VmHWM" "$rss / $hwm MiB" "at most 32 MiB"
row "an empty Qt Widgets window; one with ventaro's kinds of controls" "$bare_rss MiB; $kinds_rss MiB" "ventaro within 1.5 MiB of the second"
row "database code mapped by a window that is not kept" "$database_maps" "0"
row "writing a kept run on the GUI thread: median / p99 / max of 4000" "$("$build/app/record_run" | awk '{ printf "%s / %s / %s ms", $1, $2, $3 }')" "under 1 ms"
row "exec to window mapped, median of 5" "${map_median} ms" "at most 250 ms"
row "floor: tight loop at the boundary, p50 / max" "$(printf '%s\n' "$floor" | percentile 0.5) / $(printf '%s\n' "$floor" | tail -n 1) ms" ""
row "at (atd), job at the next minute" "$(minute_late "$WORK/at") ms" ""
row "cron, job every minute" "$(minute_late "$WORK/cron") ms" ""
