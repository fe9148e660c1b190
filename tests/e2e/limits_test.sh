#!/bin/sh
# A night's job that completes: with --stop-after 3s a hung "sleep 600" is
# stopped 3 s after it started and told as a failure (the process gone, as
# its end is logged); with --retry 3 --retry-after 1s a job that fails twice
# is started again until it succeeds.
. "$(dirname "$0")/lib.sh"
start_xvfb
at=$(date -d "@$(($(date +%s) + 2))" '+%Y/%m/%d %H:%M:%S')

"$VENTARO" --at "$at" --stop-after 3s --set -- /bin/sleep 600 >"$WORK/hung.log" 2>&1 &
EXTRA_PIDS="$EXTRA_PIDS $!"

job=$WORK/job.sh
cat >"$job" <<JOB
#!/bin/sh
echo run >>"$WORK/runs"
[ "\$(wc -l <"$WORK/runs")" -ge 3 ] || { echo "network is unreachable" >&2; exit 1; }
JOB
chmod +x "$job"
"$VENTARO" --at "$at" --every 1 day --retry 3 --retry-after 1s --set -- "$job" >"$WORK/app.log" 2>&1 &
APP_PID=$!

# Within the 60 s the test has: the limit is 3 s, the retries 1 s apart.
for _ in $(seq 300); do
    grep -q 'stopped after its time limit of 3 s' "$WORK/hung.log" && grep -q 'success: ' "$WORK/app.log" && break
    sleep 0.05
done
grep -q 'failure: process [0-9]* (/bin/sleep 600) stopped after its time limit of 3 s' "$WORK/hung.log" \
    || fail "the hung run was not stopped at its limit: $(cat "$WORK/hung.log")"
started=$(sed -n 's/^\(.*\) UTC ventaro.run info: start: .*/\1/p' "$WORK/hung.log" | head -n 1)
stopped=$(sed -n 's/^\(.*\) UTC ventaro.run info: stopping process .* at its time limit of 3 s$/\1/p' "$WORK/hung.log")
took=$(($(date -d "$stopped" +%s) - $(date -d "$started" +%s)))
[ "$took" -ge 3 ] && [ "$took" -le 4 ] || fail "stopped $took s after it started, not 3"
pass "the hung run was stopped $took s after it started, and told as a failure"

grep -q 'success: ' "$WORK/app.log" || fail "the job never succeeded: $(cat "$WORK/app.log")"
[ "$(grep -c 'failure: ' "$WORK/app.log")" -eq 2 ] || fail "not two failures: $(grep failure "$WORK/app.log")"
grep -q 'start: .* retry 1 of 3 at ' "$WORK/app.log" && grep -q 'start: .* retry 2 of 3 at ' "$WORK/app.log" \
    || fail "the retries were not told as retries: $(grep 'start:' "$WORK/app.log")"
[ "$(wc -l <"$WORK/runs")" -eq 3 ] || fail "the job ran $(wc -l <"$WORK/runs") times"
pass "failed twice, retried 1 s apart, and succeeded on the third run"
