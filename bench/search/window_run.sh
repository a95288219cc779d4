#!/bin/bash
# The global search through the main window against dravik-cli and the matcher alone, on the
# catalogue run.sh writes: four selective words, broad words, and a press on "STOP" half a second
# into a broad search. Prints, best of three, the time until the window asks "Do yu want to SAVE
# this report?" over `dravik-cli search` for the same words (output to a file), and how long
# "STOP" takes to bring the search to rest (worst of three). Under a display when DISPLAY is set
# (xvfb-run works), else offscreen.
# Usage: bench/search/window_run.sh   (BUILD=folder to build elsewhere, BUILD_TYPE=its type, RUNS=n)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${BUILD:-$repo/build-bench}
runs=${RUNS:-3}
data=/tmp/dravik-search-data
out=/tmp/dravik-search-out
[[ -f $data/.dravik-search-data-2 ]] || {
    echo "no catalogue yet: run bench/search/run.sh first" >&2
    exit 1
}
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" >/dev/null
cmake --build "$build" -j1 --target window_search_driver dravik-cli >/dev/null
driver=$build/bench/search/window_search_driver
cli=$build/dravik/dravik-cli
mkdir -p "$out"
cat "$data"/*.rtf >/dev/null # a hot cache
echo "$(date -u "+%F %H:%M UTC"), load average $(cut -d" " -f1-3 /proc/loadavg)," \
    "display ${DISPLAY:-offscreen}"

min() { awk 'NR == 1 || $1 < m { m = $1 } END { print m }'; }
max() { awk 'NR == 1 || $1 > m { m = $1 } END { print m }'; }
verdict() { awk -v a="$1" -v t="$2" 'BEGIN { print (a <= t ? "met" : "MISSED") }'; }

for words in "kamera|quokka|zanzibar|fjordland" "jpg|pata pata"; do
    echo "words $words"
    cli_times=() asked=()
    for ((r = 1; r <= runs; r++)); do
        start=$(date +%s.%N)
        "$cli" search "$words" --data "$data" >"$out/window-cli.txt" 2>/dev/null || true
        cli_times+=("$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "%.3f", e - s }')")
        line=$("$driver" "$data" "$words" | head -1)
        echo "  $line"
        asked+=("$(sed -n 's/.*with the end phase \([0-9.]*\) s.*/\1/p' <<<"$line")")
    done
    cli_best=$(printf '%s\n' "${cli_times[@]}" | min)
    asked_best=$(printf '%s\n' "${asked[@]}" | min)
    ratio=$(awk -v a="$asked_best" -v c="$cli_best" 'BEGIN { printf "%.2f", a / c }')
    echo "  dravik-cli search: ${cli_times[*]} s ($(wc -l <"$out/window-cli.txt") rows)"
    echo "  save question $asked_best s / dravik-cli $cli_best s = $ratio" \
        "(target <= 1.1: $(verdict "$ratio" 1.1))"
done
echo "stop after 500 ms (broad words)"
rest=()
for ((r = 1; r <= runs; r++)); do
    line=$("$driver" "$data" "jpg|pata pata" --stop-after 500 | tail -1)
    echo "  $line"
    rest+=("$(sed -n 's/.*at rest \([0-9.]*\) ms later.*/\1/p' <<<"$line")")
done
worst=$(printf '%s\n' "${rest[@]}" | max)
echo "  STOP at rest after at most $worst ms (target <= 100: $(verdict "$worst" 100))"
