#!/bin/sh
# Builds the Peek benchmark, makes a million-line disc list once, and measures loading it:
# load + paint time, peak memory, and `wc -l` over the same file as the reference for reading it.
# Usage: bench/peek/run.sh [BUILD_DIR] [LINES]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build-peek}
lines=${2:-1000000}
list=${TMPDIR:-/tmp}/peek-bench-$lines.rtf

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j1 --target peek_list_generator peek_load_bench >/dev/null
[ -f "$list" ] || "$build/bench/peek/peek_list_generator" "$list" "$lines"
cat "$list" >/dev/null # a hot cache for both runs

export QT_QPA_PLATFORM=offscreen
start=$(date +%s%N)
wc -l <"$list" >/dev/null
ref=$(( ($(date +%s%N) - start) / 1000000 ))

/usr/bin/time -f "whole process   %e s, peak RSS %M KiB" "$build/bench/peek/peek_load_bench" "$list"
echo "reference       wc -l reads the file in $ref ms"
