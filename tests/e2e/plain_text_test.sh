#!/bin/sh
# A command's words are shown as they are: output that holds markup (a link,
# images of a named pipe and of /dev/zero) is shown as text in the message
# window, at once, and the program goes on. Once the program is killed, what
# the command writes goes on to the log, every line, cleaned and named as
# the program names it, and the command ends well: all without cat, or
# anything else, on the program's PATH.
. "$(dirname "$0")/lib.sh"
start_xvfb
mkfifo "$WORK/fifo"
cat >"$WORK/tagged.sh" <<EOF
#!/bin/sh
echo '<a href="http://example.invalid/">click here to fix</a>'
echo '<img src="$WORK/fifo"><img src="/dev/zero">'
exit 3
EOF
cat >"$WORK/stream.sh" <<EOF
#!/bin/sh
echo before
while [ ! -e "$WORK/go" ]; do /bin/sleep 0.05; done
i=0
while [ \$i -lt 200 ]; do
    printf 'line %d \033]0;TITLE\007\033]52;c;Zm9yZ2Vk\007\033[31mred\000nul\n' \$i
    i=\$((i + 1))
done
printf '2026-12-08 10:00:00 UTC ventaro.run info: success: FORGED\n\342\200\256fdp.exe\n'
echo ended >"$WORK/done"
EOF
chmod +x "$WORK/tagged.sh" "$WORK/stream.sh"
APP_ENV="PATH=/nonexistent"
start_app

arm_schedule "$WORK/tagged.sh <title>" "" $(( $(date +%s) + 2 ))
wait_message_window "the failure was not told"
read_tree
for words in "tagged.sh <title> exited with status 3" '<a href="http://example.invalid/">click here to fix</a>' \
    "<img src=\"$WORK/fifo\"><img src=\"/dev/zero\">"; do
    grep -qF -- "$words" "$WORK/tree" || fail "the message window does not show \"$words\": $(grep '^label' "$WORK/tree")"
done
pass "the message window shows the command and its output as text"

wait_clock_moves
kill -0 "$APP_PID" || fail "the program ended"
pass "the clock goes on ($DIFFER pixels changed)"

choose_from_menu Release
# Typed and set over AT-SPI, which a busy machine takes seconds for: the
# time must still be to come at Set.
arm_schedule "$WORK/stream.sh" "" $(( $(date +%s) + 5 ))
for _ in $(seq 200); do
    grep -q 'ventaro.output info: stream.sh\[[0-9]*\]: before$' "$WORK/app.log" && break
    sleep 0.05
done
grep -q 'stream.sh\[[0-9]*\]: before$' "$WORK/app.log" || fail "the command's first line was not logged"
kill -9 "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
touch "$WORK/go"
wait_written "$WORK/done" "the command did not end well once the program was gone"
for _ in $(seq 100); do
    grep -q '<U+202E>fdp.exe$' "$WORK/app.log" && break
    sleep 0.05
done
lines=$(grep -c '^[0-9-]* [0-9:]* [A-Z+0-9]* ventaro.output info: stream.sh\[[0-9]*\]: line [0-9]* red' "$WORK/app.log")
[ "$lines" = 200 ] || fail "$lines of the 200 lines written after the program was killed reached the log"
LC_ALL=C grep -q "$(printf '[\033\007]')" "$WORK/app.log" && fail "an escape sequence reached the log"
[ "$(tr -d '\000' <"$WORK/app.log" | wc -c)" = "$(wc -c <"$WORK/app.log")" ] || fail "a NUL byte reached the log"
grep -q '^2026-12-08 10:00:00 UTC ventaro.run' "$WORK/app.log" && fail "the command forged a line of the program's"
grep -q 'stream.sh\[[0-9]*\]: 2026-12-08 10:00:00 UTC ventaro.run info: success: FORGED$' "$WORK/app.log" \
    || fail "the line that looks like the program's was not logged as the command's output"
pass "all 200 lines reached the log after the kill, cleaned and named, and the command ended well"
