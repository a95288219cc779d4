#!/bin/bash
# Times the global search over 2,000 disc lists of 5,000 lines (about 800 MB) against grep -a -iF
# and rg -i -F over the same files. Hot cache: four selective words, and broad words that give
# about 2,000,000 rows; the matcher runs as dravik-cli search (rows streamed to a file) and as the
# driver (rows kept in memory and written to the quick report as found, as the window does).
# Cold: the selective words, each run after the lists are dropped from the page cache, against rg
# on all cores. One warm-up run each, then rounds taking turns, best of three. Prints wall and CPU
# seconds, the ratios, peak memory and the row counts.
# --large: then the large set too, 20,000 lists of 5,000 lines (about 8 GB in
# /tmp/dravik-search-large, written when missing and kept): dravik-cli against rg hot and cold,
# one round. --remove-large: removes the large set (after the run when given with --large).
# Usage: bench/search/run.sh [--large] [--remove-large]   (BUILD=another build folder, ROUNDS=n)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../timing.sh
source "$here/../timing.sh"
repo=$(cd "$here/../.." && pwd)
build=${BUILD:-$repo/build-bench}
rounds=${ROUNDS:-3}
data=/tmp/dravik-search-data
large=/tmp/dravik-search-large
out=/tmp/dravik-search-out
run_large=no remove_large=no
for a in "$@"; do
    case $a in
    --large) run_large=yes ;;
    --remove-large) remove_large=yes ;;
    *)
        echo "usage: $0 [--large] [--remove-large]" >&2
        exit 2
        ;;
    esac
done
if [[ $remove_large == yes && $run_large == no ]]; then
    rm -rf "$large"
    echo "removed $large"
    exit 0
fi
mkdir -p "$out"

command -v rg >/dev/null || {
    echo "ripgrep is missing: apt-get install ripgrep" >&2
    exit 1
}
# A build folder of another kind (RelWithDebInfo) is used as it is.
[[ -f $build/CMakeCache.txt ]] || cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j1 --target search_list_generator search_bench_driver dravik-cli \
    page_cache_evict >/dev/null
cli=$build/dravik/dravik-cli
driver=$build/bench/search/search_bench_driver
evict=$build/bench/search/page_cache_evict

# shellcheck source=catalogue.sh
source "$here/catalogue.sh"

selective="kamera|quokka|zanzibar|fjordland"
broad="jpg|pata pata"
patterns() { # words joined by | -> -e w1 -e w2 ...
    local IFS='|'
    for w in $1; do printf -- '-e\n%s\n' "$w"; done
}
mapfile -t sel_args < <(patterns "$selective")
mapfile -t broad_args < <(patterns "$broad")

# grep stops at the first match when its output is /dev/null, so every tool writes a file.
# Arguments after the tool-set come before the program: /usr/bin/time and its options.
run_tool() { # tool-set [prefix...] -> runs it once, output to $out/<tool-set>.txt
    local t=$1 o=$out/$1.txt
    shift
    case $t in
    cli-sel) "$@" "$cli" search "$selective" --data "$data" >"$o" 2>"$out/$t.err" || true ;;
    cli-broad) "$@" "$cli" search "$broad" --data "$data" >"$o" 2>"$out/$t.err" || true ;;
    driver-sel) "$@" "$driver" "$data" "$selective" "$out/$t.report" >"$o" ;;
    driver-broad) "$@" "$driver" "$data" "$broad" "$out/$t.report" >"$o" ;;
    grep-sel) "$@" grep -a -iF "${sel_args[@]}" "${files[@]}" >"$o" || true ;;
    grep-broad) "$@" grep -a -iF "${broad_args[@]}" "${files[@]}" >"$o" || true ;;
    grepC-sel) LC_ALL=C "$@" grep -a -iF "${sel_args[@]}" "${files[@]}" >"$o" || true ;;
    grepC-broad) LC_ALL=C "$@" grep -a -iF "${broad_args[@]}" "${files[@]}" >"$o" || true ;;
    rg-sel) "$@" rg -i -j1 -F "${sel_args[@]}" "${files[@]}" >"$o" || true ;;
    rg-broad) "$@" rg -i -j1 -F "${broad_args[@]}" "${files[@]}" >"$o" || true ;;
    rgall-sel) "$@" rg -i -F "${sel_args[@]}" "${files[@]}" >"$o" || true ;;
    esac
}

declare -A wall cpu rss
# key [tool-set]: times the tool-set (the key without a "-cold" ending when not given) and keeps
# the best wall and CPU time under the key; a key ending "-cold" first drops the lists from the
# page cache.
timed() {
    local key=$1 tool=${2:-${1%-cold}} start end user sys kib w c left=""
    if [[ $key == *-cold ]]; then
        left=$("$evict" "${files[@]}" | sed -n 's/.*; \([0-9]*\) bytes still cached/\1/p')
        left=" (cached before: $((left / 1048576)) MiB)"
    fi
    start=$(date +%s%N)
    run_tool "$tool" /usr/bin/time -f "%U %S %M" -o "$out/$key.time"
    end=$(date +%s%N)
    read -r user sys kib <"$out/$key.time"
    w=$(seconds "$start" "$end")
    c=$(cpu_seconds "$user" "$sys")
    printf '  %-17s wall %6s s  cpu %5s s  peak %7s KiB%s\n' "$key" "$w" "$c" "$kib" "$left"
    keep_best "$key" "$w" "$c"
    rss[$key]=$kib
}

lines() { wc -l <"$out/$1.txt"; }
rows() { sed -n 's/^\([0-9]*\) links.*/\1/p' "$out/$1.err"; }
compare() { # label key-a key-b [target]: wall ratio a / b, against the target, and cpu ratio
    local r line
    r=$(ratio "${wall[$2]}" "${wall[$3]}")
    line=$(printf '  %-30s %s' "$1" "$r")
    [[ -z ${4:-} ]] || line+=" (target <= $4: $(verdict "$r" "$4"))"
    echo "$line, cpu $(ratio "${cpu[$2]}" "${cpu[$3]}")"
}
table() { # keys... -> best wall, cpu and the last peak of each
    for k in "$@"; do
        printf '  %-17s %6s  %5s  %8s KiB\n' "$k" "${wall[$k]}" "${cpu[$k]}" "${rss[$k]}"
    done
}
load() { echo "load average $(cut -d" " -f1-3 /proc/loadavg)"; }

echo "$(date -u "+%F %H:%M UTC"), $(load), $(nproc) cores, locale ${LC_ALL:-${LANG:-C}}"
echo "catalogue: ${#files[@]} lists, $(du -sb "$data" | cut -f1) bytes"
tools=(cli grep rg rgall driver grepC)
keys=()
for set in sel broad; do
    for t in "${tools[@]}"; do
        [[ $t-$set == rgall-broad ]] || keys+=("$t-$set")
    done
done
echo "warm-up"
for k in "${keys[@]}"; do run_tool "$k"; done
for ((r = 1; r <= rounds; r++)); do
    echo "round $r"
    for k in "${keys[@]}"; do timed "$k"; done
done
echo "cold, $(load)"
for ((r = 1; r <= rounds; r++)); do
    echo "round $r"
    for k in cli-sel-cold rgall-sel-cold; do timed "$k"; done
done

echo
echo "best of $rounds, wall s / cpu s (peak RSS of the last round)"
table "${keys[@]}" cli-sel-cold rgall-sel-cold
echo
echo "four selective words ($selective): $(rows cli-sel) rows; grep $(lines grep-sel) lines"
compare "dravik-cli / grep -iF" cli-sel grep-sel 0.80
compare "dravik-cli / rg -i -j1 -F" cli-sel rg-sel 1.00
compare "dravik-cli / rg -i -F" cli-sel rgall-sel
compare "driver / grep -iF" driver-sel grep-sel
compare "driver / rg -i -j1 -F" driver-sel rg-sel
compare "dravik-cli / LC_ALL=C grep" cli-sel grepC-sel
compare "cold: dravik-cli / rg -i -F" cli-sel-cold rgall-sel-cold 0.90
echo "broad words ($broad): $(rows cli-broad) rows; grep $(lines grep-broad) lines"
compare "dravik-cli / grep -iF" cli-broad grep-broad 2.00
compare "driver / grep -iF" driver-broad grep-broad 2.00
compare "dravik-cli / rg -i -j1 -F" cli-broad rg-broad
echo "  driver: $(cat "$out/driver-broad.txt")"
echo "  peak RSS: driver $((${rss[driver-broad]} / 1024)) MiB with the rows kept" \
    "($(($(stat -c %s "$out/driver-broad.report") / 1048576)) MiB of rows)," \
    "dravik-cli $((${rss[cli-broad]} / 1024)) MiB streaming them;" \
    "selective: driver $((${rss[driver-sel]} / 1024)) MiB, dravik-cli $((${rss[cli-sel]} / 1024)) MiB"
cmp -s "$out/cli-broad.txt" "$out/driver-broad.report" &&
    echo "  check: dravik-cli's output equals the driver's quick report" ||
    echo "  check: FAILED, dravik-cli's output differs from the driver's quick report"
small_peak=${rss[cli-sel]}
[[ $run_large == yes ]] || exit 0

echo
data=$large discs=20000
# shellcheck source=catalogue.sh
source "$here/catalogue.sh"
echo "large set: ${#files[@]} lists, $(du -sb "$data" | cut -f1) bytes; $(date -u "+%H:%M UTC")," \
    "$(load)"
echo "warm-up"
for k in cli-sel rgall-sel rg-sel; do run_tool "$k"; done
echo "hot"
for k in cli-sel rgall-sel rg-sel; do timed "large-$k" "$k"; done
echo "cold, $(load)"
for k in cli-sel rgall-sel; do timed "large-$k-cold" "$k"; done
echo
echo "large set, one round, wall s / cpu s / peak RSS"
table large-cli-sel large-rgall-sel large-rg-sel large-cli-sel-cold large-rgall-sel-cold
echo "four selective words: $(rows cli-sel) rows"
compare "hot: dravik-cli / rg -i -F" large-cli-sel large-rgall-sel 1.00
compare "hot: dravik-cli / rg -i -j1 -F" large-cli-sel large-rg-sel
compare "cold: dravik-cli / rg -i -F" large-cli-sel-cold large-rgall-sel-cold 0.90
echo "  peak RSS of dravik-cli: $((${rss[large-cli-sel]} / 1024)) MiB on the large set," \
    "$((small_peak / 1024)) MiB on the 2,000 lists; rg $((${rss[large-rgall-sel]} / 1024)) MiB"
if [[ $remove_large == yes ]]; then
    rm -rf "$large"
    echo "removed $large"
fi
