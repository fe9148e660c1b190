#!/bin/sh
# A screen reader, reading over AT-SPI, finds the
# window's name, the clock's time and the activation box's warning; once
# armed, the window says so and when, and the controls below the strip are
# not showing and deaf to what an assistive tool does to them.
. "$(dirname "$0")/lib.sh"
start_xvfb
start_app
# shellcheck disable=SC2086
type_into $ACTIVATE "2024/9/4 9:05:03"
# Until the warning is there and the clock has had its first tick.
for _ in $(seq 40); do
    read_tree
    grep -q '|Next activation time|Warning:' "$WORK/tree" && grep -qE '^[a-z ]+\|[0-9]{4}/.*\|Current time\|' "$WORK/tree" \
        && break
    sleep 0.1
done

grep -q '^window|ventaro, not armed|' "$WORK/tree" || grep -q '^frame|ventaro, not armed|' "$WORK/tree" \
    || fail "the window has no name: $(head -n 3 "$WORK/tree")"
pass "the window reads as \"ventaro, not armed\""
clock=$(grep '|Current time|' "$WORK/tree" | cut -d'|' -f2)
printf '%s' "$clock" | grep -qE '^[0-9]{4}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}$' \
    || fail "the clock reads '$clock'"
pass "the clock reads its time: $clock"
grep -q '|Next activation time|Warning: 2024/9/4 9:05:03 will never be reached' "$WORK/tree" \
    || fail "no warning on the activation box: $(grep 'Next activation' "$WORK/tree")"
pass "the activation box says: $(grep 'Next activation' "$WORK/tree" | cut -d'|' -f3 | cut -c1-60)..."

at=$(($(date +%s) + 3600))
# shellcheck disable=SC2086
type_into $COMMAND /bin/true
# shellcheck disable=SC2086
type_into $ACTIVATE "$(date -d "@$at" '+%Y/%m/%d %H:%M:%S')"
choose_from_menu Set
read_tree poke
grep -qE "^(window|frame)\|ventaro, armed: starts once at ([0-9/]+ )?$(date -d "@$at" '+%H:%M:%S')\|" "$WORK/tree" \
    || fail "armed, the window does not say so: $(head -n 1 "$WORK/tree")"
pass "armed, the window reads \"$(head -n 1 "$WORK/tree" | cut -d'|' -f2)\""
for name in 'Plus one hour' 'Command line' 'Repeat count' 'Days After, repeat in days'; do
    grep -q "|$name|.*|hidden|" "$WORK/tree" || fail "armed, \"$name\" is showing: $(grep "|$name|" "$WORK/tree")"
done
pass "armed, the controls below the strip are not showing"
read_tree
grep -q "|Next activation time|.*|$(date -d "@$at" '+%Y/%m/%d %H:%M:%S')\$" "$WORK/tree" \
    || fail "pressing and writing over AT-SPI changed the schedule: $(grep 'Next activation' "$WORK/tree")"
grep -q '|Command line|.*|/bin/true$' "$WORK/tree" || fail "the command changed: $(grep '|Command line|' "$WORK/tree")"
pass "pressing every control and writing into every box over AT-SPI changed nothing"
