#!/bin/sh
# Left overnight: with --one-at-a-time a 1-second repeat of a 3-second job
# never overlaps itself and its skips are told quietly, not as failures;
# with --catch-up a start missed across a 2-minute leap of the clock (under
# libfaketime) runs once right after it, and without it, not at all.
. "$(dirname "$0")/lib.sh"
preload=$(dpkg -L libfaketime | grep '/libfaketime.so.1$' | head -n 1)
[ -n "$preload" ] || fail "libfaketime is not installed"
start_xvfb

job=$WORK/job.sh
cat >"$job" <<JOB
#!/bin/sh
[ -e "$WORK/running" ] && echo overlap >>"$WORK/overlaps"
touch "$WORK/running"
echo start >>"$WORK/starts"
sleep 3
rm -f "$WORK/running"
JOB
chmod +x "$job"
first=$(($(date +%s) + 2))
"$VENTARO" --at "$(date -d "@$first" '+%Y/%m/%d %H:%M:%S')" --every 1s --one-at-a-time --set -- "$job" \
    >"$WORK/app.log" 2>&1 &
APP_PID=$!
while [ "$(date +%s)" -lt $((first + 10)) ]; do sleep 0.2; done
kill "$APP_PID"
APP_PID=
starts=$(wc -l <"$WORK/starts" 2>/dev/null || echo 0)
[ "$starts" -ge 3 ] && [ "$starts" -le 4 ] || fail "a 3 s job every second, one at a time, started $starts times in 10 s"
[ ! -e "$WORK/overlaps" ] || fail "two runs at once: $(wc -l <"$WORK/overlaps") times"
grep -q 'skipped: Skipped' "$WORK/app.log" || fail "the skips were not told"
! grep -q 'failure' "$WORK/app.log" || fail "a skip was told as a failure: $(grep failure "$WORK/app.log")"
pass "one at a time: $starts starts in 10 s, never two at once, the skips logged, no failure"

# Two windows on one fake clock, one catching up; the clock leaps 2 minutes
# over their activation.
clock=$WORK/fake-clock
echo +0 >"$clock"
at=$(date -d "@$(($(date +%s) + 40))" '+%Y/%m/%d %H:%M:%S')
rec() { printf '#!/bin/sh\necho start >>"%s"\n' "$WORK/$1" >"$WORK/$1.sh"; chmod +x "$WORK/$1.sh"; }
rec caught
rec missed
for name in caught missed; do
    option=--catch-up
    [ "$name" = missed ] && option=
    # shellcheck disable=SC2086
    env LD_PRELOAD="$preload" FAKETIME_TIMESTAMP_FILE="$clock" FAKETIME_NO_CACHE=1 \
        "$VENTARO" --at "$at" --every 10 minutes $option --set -- "$WORK/$name.sh" >"$WORK/$name.log" 2>&1 &
    EXTRA_PIDS="$EXTRA_PIDS $!"
done
# Until both are armed: each shrinks to its 18-pixel strip.
armed() {
    n=0
    for win in $(xdotool search --onlyvisible --classname ventaro 2>/dev/null); do
        [ "$(xwininfo -id "$win" | sed -n 's/.*Height: *//p')" = 18 ] && n=$((n + 1))
    done
    echo "$n"
}
for _ in $(seq 100); do [ "$(armed)" -ge 2 ] && break; sleep 0.05; done
[ "$(armed)" -ge 2 ] || fail "the two windows did not arm"
echo +120 >"$clock"
leapt=$(date +%s)
for _ in $(seq 60); do [ -s "$WORK/caught" ] && break; sleep 0.05; done
[ -s "$WORK/caught" ] || fail "--catch-up did not start after the leap: $(cat "$WORK/caught.log")"
took=$(($(date +%s) - leapt))
[ "$took" -le 2 ] || fail "the catch-up came $took s after the leap"
sleep 1.5
[ "$(wc -l <"$WORK/caught")" -eq 1 ] || fail "caught up $(wc -l <"$WORK/caught") times, not once"
[ ! -e "$WORK/missed" ] || fail "without --catch-up the missed start ran"
pass "across a 2-minute leap: --catch-up ran once within $took s, without it nothing ran"
