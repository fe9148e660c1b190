#!/bin/sh
# A 1-second repeat runs straight through the spring change, one start each
# real second, under libfaketime: the program (and what it starts) sees the
# night of 2024/03/31 in Berlin, a few seconds before 02:00 becomes 03:00.
. "$(dirname "$0")/lib.sh"
preload=$(dpkg -L libfaketime | grep '/libfaketime.so.1$' | head -n 1)
[ -n "$preload" ] || fail "libfaketime is not installed"
start_xvfb

zone=Europe/Berlin
change=$(TZ=$zone date -d '2024-03-31 03:00:00' +%s)
offset=$((change - 15 - $(date +%s)))
APP_ENV="TZ=$zone LD_PRELOAD=$preload FAKETIME=$offset FAKETIME_DONT_RESET=1"
start_app

marker=$WORK/marker
TZ=$zone arm_schedule "/bin/sh -c \"date +%s >> '$marker'\"" 1 $((change - 5))
fake_now() { echo $(($(date +%s) + offset)); }
[ "$(fake_now)" -lt $((change - 5)) ] || fail "setting up took too long: armed after the activation second"
sleep $((change + 6 - $(fake_now)))
choose_from_menu Release

[ -f "$marker" ] || fail "the command never started"
expected=$(seq $((change - 5)) $((change + 4)))
got=$(sort -n "$marker" | awk -v last=$((change + 4)) '$1 <= last')
[ "$got" = "$expected" ] || fail "starts by second were: $(echo $got), not one each second"
pass "10 starts, one each second from $(TZ=$zone date -d @$((change - 5)) '+%T %Z') to $(TZ=$zone date -d @$((change + 4)) '+%T %Z')"
