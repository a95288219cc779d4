#!/bin/sh
# Splits 1,000,000 records (200 catalogue lists of 5,000 lines) with the splitter core and with an
# awk script that appends each line to a file named after its extension, in the same run with a hot
# cache, and prints the best of three for each and their ratio.
#
# The run writes the busy marker through the settings store and rewrites "DoneSplit.lys" at every
# disc, each a complete new file renamed into place, and flushes the disk only at the start and the
# end of the run. A flush per disc would show here: on ext4 each one commits the journal, which
# also waits for the run's own dirty extension files, so the splitter is timed with the settings
# beside the data (as on a desktop where both are on one disk) and, where /dev/shm exists, with
# the settings in memory (the split's own cost).
# Usage: bench/splitter/run.sh [BUILD_DIR] [DISCS] [LINES]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build-splitter}
discs=${2:-200}
lines=${3:-5000}
work=${TMPDIR:-/tmp}/splitter-bench-$discs-$lines
data=$work/data
awkout=$work/awk
bench=$build/bench/splitter

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j1 --target splitter_list_generator splitter_split_bench >/dev/null
[ -f "$data/Disc 000.rtf" ] || "$bench/splitter_list_generator" "$data" "$discs" "$lines"
cat "$data"/*.rtf >/dev/null # a hot cache for all

diskSettings=$work/settings
memSettings=""
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    memSettings=$(mktemp -d /dev/shm/splitter-bench-XXXXXX)
    trap 'rm -rf "$memSettings"' EXIT
fi
mkdir -p "$diskSettings"

now() { date +%s.%N; }
best() { printf '%s\n' "$@" | sort -g | head -1; }
split() {
    rm -rf "$data/TheShards-13" "$data/DoneSplit.lys"
    sync
    DRAVIK_SETTINGS_DIR=$1 "$bench/splitter_split_bench" "$data"
}

onDisk=""
inMemory=""
awks=""
for round in 1 2 3; do
    onDisk="$onDisk $(split "$diskSettings")"
    if [ -n "$memSettings" ]; then
        inMemory="$inMemory $(split "$memSettings")"
    fi
    rm -rf "$awkout" && mkdir -p "$awkout"
    sync
    start=$(now)
    awk -v out="$awkout" -f "$here/split.awk" "$data"/*.rtf
    end=$(now)
    awks="$awks $(awk "BEGIN { printf \"%.3f\", $end - $start }")"
done

ours=$(cat "$data/TheShards-13"/*.rtf | wc -l)
theirs=$(cat "$awkout"/*.rtf | wc -l)
a=$(best $awks)
echo "records                     splitter $ours lines, awk $theirs lines"
echo "awk ($(awk -W version 2>&1 | head -1 | cut -d' ' -f1-2))              $a s   (rounds:$awks)"
d=$(best $onDisk)
echo "splitter, settings on disk  $d s   (rounds:$onDisk)"
awk "BEGIN { printf \"  ratio splitter / awk      %.2f\n\", $d / $a }"
if [ -n "$inMemory" ]; then
    m=$(best $inMemory)
    echo "splitter, settings in RAM   $m s   (rounds:$inMemory)"
    awk "BEGIN { printf \"  ratio splitter / awk      %.2f\n\", $m / $a }"
fi
