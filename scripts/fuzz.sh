#!/bin/sh
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# Usage: scripts/fuzz.sh [seconds per target, default 120]
# Needs clang and libclang-rt-14-dev (installed here when missing).
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-120}
. "$here/scripts/packages.sh"
# shellcheck disable=SC2086
"$here/scripts/ensure-packages.sh" $BUILD_PACKAGES clang libclang-rt-14-dev
build=$here/build-fuzz
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -DVENTARO_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target date_text_fuzz repeat_count_fuzz command_line_fuzz program_options_fuzz output_tail_fuzz kept_schedule_fuzz

seed() { mkdir -p "$1"; shift; i=0; for s in "$@"; do printf '%s' "$s" >"$dir/seed$i"; i=$((i + 1)); done; }
dir=$build/corpus/date_text
seed "$dir" 'AAA2024/09/04 09:05:03' 'xyz2024-9-4 9:5' 'bcd23:59:59' 'efg0100/01/01' 'hij9999/12/31 23:59:59'
dir=$build/corpus/repeat_count
seed "$dir" '5' ' 1 0' '3min' '&HFFFF' '&O17' '1.5E3' '2d-2' '-.5' '1e400'
dir=$build/corpus/command_line
seed "$dir" '/opt/my app/run -x' '"/opt/a b/c" "d e" f' 'a\"b "c""d" e\\\\"f g"' '  x  y  '

# Arguments are split at NUL bytes, which a shell string cannot hold.
dir=$build/corpus/program_options
mkdir -p "$dir"
printf -- '--at\00003:00\000--every\0001\000day\000--set\000--\000/bin/x\000a b' >"$dir/seed0"
printf -- '--autostart\000ab-1\000--command\000"/opt/a b/c" d\000--every\00090s' >"$dir/seed1"
printf -- '-display\000:1\000--at=21:45\000--every\0001 0 minutes' >"$dir/seed2"

dir=$build/corpus/output_tail
seed "$dir" 'aplain line\n' "b$(printf '\033[31mred\033]0;title\007 x\000y\r\n')" "c$(printf 'invoice_\342\200\256fdp.exe\n')"

# activation, count, command, then a byte: unit (bits 0-2), options (3-4), armed (5)
dir=$build/corpus/kept_schedule
mkdir -p "$dir"
printf -- '2024/05/17 21:40:05\0000.4\000/bin/true\000\044' >"$dir/seed0"
printf -- '2024/05/18 03:00:00\000&H10\000"/opt/a b/c" d\000\077' >"$dir/seed1"
printf -- '9999/12/31 23:59:59\0001e300\000\000\047' >"$dir/seed2"

status=0
for target in date_text repeat_count command_line program_options output_tail kept_schedule; do
    echo "== $target: $seconds s"
    # Command lines may be long: a megabyte must read in linear time and memory.
    max_len=4096
    [ "$target" = command_line ] && max_len=1048576
    if "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -max_len="$max_len" -print_final_stats=1 \
        -artifact_prefix="$build/${target}-" "$build/corpus/$target" >"$build/$target.log" 2>&1; then
        grep -E 'stat::number_of_executed_units|stat::peak_rss_mb|cov:' "$build/$target.log" | tail -n 3
    else
        status=1
        tail -n 30 "$build/$target.log"
        echo "== $target FOUND A PROBLEM; the input is in $build/${target}-*"
    fi
done
exit $status
