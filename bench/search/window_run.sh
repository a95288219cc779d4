#!/bin/bash
# The global search through the main window against the matcher alone, on the catalogue run.sh
# writes: four selective words, broad words, and a press on "STOP" half a second into a broad
# search. Best of three for the timings. Under a display when DISPLAY is set (xvfb-run works),
# else offscreen.
# Usage: bench/search/window_run.sh   (BUILD=folder to build elsewhere)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${BUILD:-$repo/build-bench}
data=/tmp/dravik-search-data
[[ -f $data/.dravik-search-data-2 ]] || {
    echo "no catalogue yet: run bench/search/run.sh first" >&2
    exit 1
}
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j1 --target window_search_driver >/dev/null
driver=$build/bench/search/window_search_driver
cat "$data"/*.rtf >/dev/null # a hot cache
echo "$(date -u "+%F %H:%M UTC"), load average $(cut -d" " -f1-3 /proc/loadavg)," \
    "display ${DISPLAY:-offscreen}"
for words in "kamera|quokka|zanzibar|fjordland" "jpg|pata pata"; do
    echo "words $words"
    for run in 1 2 3; do echo "  $("$driver" "$data" "$words")"; done
done
echo "stop after 500 ms (broad words)"
for run in 1 2 3; do echo "  $("$driver" "$data" "jpg|pata pata" --stop-after 500 | tail -1)"; done
