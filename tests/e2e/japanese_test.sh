#!/bin/sh
# Under a Japanese locale (made by localedef in the test's own folder),
# what ventaro adds reads in Japanese and the window's captions as they
# always are: --help and a usage error; over AT-SPI, the captions, the step
# buttons' names and the outlook; a failing backup's notification
# (stand-in service) and its history.
. "$(dirname "$0")/lib.sh"
mkdir -p "$WORK/locale"
localedef -i ja_JP -f UTF-8 "$WORK/locale/ja_JP.UTF-8" >"$WORK/localedef.log" 2>&1 \
    || fail "localedef could not make ja_JP.UTF-8: $(cat "$WORK/localedef.log")"
unset LC_ALL LANGUAGE
export LOCPATH="$WORK/locale" LANG=ja_JP.UTF-8
# Reads the window until PATTERN is in it; fails with WHY and the lines matching the third.
wait_tree() {
    for _ in $(seq 100); do
        read_tree
        grep -q "$1" "$WORK/tree" && return 0
        sleep 0.05
    done
    fail "$2: $(grep "${3:-.}" "$WORK/tree")"
}

"$VENTARO" --help >"$WORK/help" 2>&1 || fail "--help failed: $(cat "$WORK/help")"
grep -q '^使い方: ventaro \[--at TIME\]' "$WORK/help" && grep -q -- '--help *このヘルプを表示します。' "$WORK/help" \
    || fail "--help is not in Japanese: $(head -n 3 "$WORK/help")"
{ "$VENTARO" --at 99:99 --set -- /bin/true 2>"$WORK/usage"; [ $? -eq 2 ]; } \
    && grep -q '^ventaro: --at: 「99:99」は日時ではありません（ventaro --help を参照してください）$' "$WORK/usage" \
    || fail "the usage error (not status 2, or not Japanese): $(cat "$WORK/usage")"
pass "--help and a usage error read in Japanese"

log=$WORK/notifications
/usr/bin/python3 "$(dirname "$0")/notification_service.py" "$log" &
EXTRA_PIDS="$EXTRA_PIDS $!"
wait_bus_name org.freedesktop.Notifications
start_xvfb
start_app
wait_tree '^text|次の起動時刻|[^|]*。|' "the outlook is not in Japanese" '次の起動時刻'
for caption in 'label|Next Activate|' 'label|VENTARO@|' 'label|Command|' 'radio button|Seconds After、秒単位で繰り返す|' \
    'push button|1秒進める|' 'push button|開始時刻に戻す|'; do
    grep -qF "$caption" "$WORK/tree" || fail "no \"$caption\" in: $(cat "$WORK/tree")"
done
pass "the captions are the window's own; the names and the outlook are Japanese"

# Every second: a slow machine that arms it late still starts it at the next.
arm_schedule '/bin/sh -c "echo rsync: connection refused >&2; exit 3"' 1 $(($(date +%s) + 2))
for _ in $(seq 200); do [ -s "$log" ] && break; sleep 0.05; done
grep -q '^new|1|0|スケジュールしたコマンドが失敗しました|/bin/sh -c [^|]* は終了状態 3 で終了しました 日時: [^|]*。 rsync: connection refused$' "$log" \
    || fail "the failure's notification is not in Japanese: $(cat "$log")"
pass "the failing backup's notification: $(cut -d'|' -f4 "$log")"

xdotool key F1
wait_named_window "ventaro: 状態と起動" "F1 did not open the history in Japanese"
wait_tree '^table cell|終了状態 3 で終了しました（実行時間 [0-9.]*秒）' "the history is not in Japanese" '^table'
grep -q '^table column header|終わり方|' "$WORK/tree" || fail "the history's columns are not in Japanese"
pass "the history reads: $(grep '^table cell|終了状態' "$WORK/tree" | head -n 1 | cut -d'|' -f2)"
