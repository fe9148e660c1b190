#!/bin/sh
# The road of one activation: command, activation time, repeat, Set; the
# command starts within its second and again two seconds later; Release stops it.
. "$(dirname "$0")/lib.sh"
start_xvfb
start_app

marker=$WORK/marker
at=$(( $(date +%s) + 4 ))
arm_schedule "/bin/sh -c \"date +%s.%N >> '$marker'\"" 2 "$at"

window_geometry
[ "$WH" -eq 18 ] || fail "armed height is $WH pixels, not 18"
pass "Set shrinks the window to 18 pixels (270 twips)"

now=$(date +%s)
[ "$now" -lt "$at" ] || fail "setting up took too long: armed after the activation second"
sleep $(( at - now + 3 ))
[ -f "$marker" ] || fail "the command never started"
first=$(sed -n 1p "$marker")
second=$(sed -n 2p "$marker")
[ "${first%%.*}" = "$at" ] || fail "first start at $first, not within second $at"
[ "${second%%.*}" = "$((at + 2))" ] || fail "second start at ${second:-never}, not within second $((at + 2))"
pass "started at $first and $second for activation second $at"

choose_from_menu Release
window_geometry
[ "$WH" -eq 156 ] || fail "released height is $WH pixels, not 156"
pass "Release restores the full height"
count=$(wc -l <"$marker")
sleep 3
[ "$(wc -l <"$marker")" -eq "$count" ] || fail "the command started after Release"
pass "nothing starts after Release"
