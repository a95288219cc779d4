#!/bin/bash
# Times the global search over 2,000 disc lists of 5,000 lines (about 800 MB, hot cache) against
# grep -a -iF and rg -i -j1 -F over the same files: four selective words, and broad words that give
# about 2,000,000 rows. The matcher runs twice: as dravik-cli search (rows streamed to a file) and
# as the driver (rows kept in memory as the window keeps them, then the quick report written).
# One warm-up run each, then rounds taking turns, best of three. Prints wall and CPU seconds,
# the ratios against grep and rg, peak memory, and the row counts.
# Usage: bench/search/run.sh   (BUILD=folder to build elsewhere, ROUNDS=n)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${BUILD:-$repo/build-bench}
rounds=${ROUNDS:-3}
data=/tmp/dravik-search-data
out=/tmp/dravik-search-out
mkdir -p "$out"

command -v rg >/dev/null || {
    echo "ripgrep is missing: apt-get install ripgrep" >&2
    exit 1
}
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j1 --target search_list_generator search_bench_driver dravik-cli >/dev/null
cli=$build/dravik/dravik-cli
driver=$build/bench/search/search_bench_driver

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
run_tool() { # tool-set -> runs it once, output to $out/<tool-set>.txt
    local t=$1 o=$out/$1.txt
    case $t in
    cli-sel) "$cli" search "$selective" --data "$data" >"$o" 2>"$out/$t.err" || true ;;
    cli-broad) "$cli" search "$broad" --data "$data" >"$o" 2>"$out/$t.err" || true ;;
    driver-sel) "$driver" "$data" "$selective" "$out/$t.report" >"$o" ;;
    driver-broad) "$driver" "$data" "$broad" "$out/$t.report" >"$o" ;;
    grep-sel) grep -a -iF "${sel_args[@]}" "${files[@]}" >"$o" || true ;;
    grep-broad) grep -a -iF "${broad_args[@]}" "${files[@]}" >"$o" || true ;;
    grepC-sel) LC_ALL=C grep -a -iF "${sel_args[@]}" "${files[@]}" >"$o" || true ;;
    grepC-broad) LC_ALL=C grep -a -iF "${broad_args[@]}" "${files[@]}" >"$o" || true ;;
    rg-sel) rg -i -j1 -F "${sel_args[@]}" "${files[@]}" >"$o" || true ;;
    rg-broad) rg -i -j1 -F "${broad_args[@]}" "${files[@]}" >"$o" || true ;;
    esac
}

declare -A wall cpu rss
timed() {
    local start end user sys kib w c
    start=$(date +%s%N)
    /usr/bin/time -f "%U %S %M" -o "$out/$1.time" bash -c "$(declare -f run_tool);
        $(declare -p cli driver data out files selective broad sel_args broad_args); run_tool $1"
    end=$(date +%s%N)
    read -r user sys kib <"$out/$1.time"
    w=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", (b - a) / 1e9 }')
    c=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.2f", u + s }')
    printf '  %-13s wall %6s s  cpu %5s s  peak %7s KiB\n' "$1" "$w" "$c" "$kib"
    if [[ -z ${wall[$1]:-} ]] || awk -v a="$w" -v b="${wall[$1]}" 'BEGIN { exit !(a < b) }'; then
        wall[$1]=$w
    fi
    if [[ -z ${cpu[$1]:-} ]] || awk -v a="$c" -v b="${cpu[$1]}" 'BEGIN { exit !(a < b) }'; then
        cpu[$1]=$c
    fi
    rss[$1]=$kib
}

echo "$(date -u "+%F %H:%M UTC"), load average $(cut -d" " -f1-3 /proc/loadavg), $(nproc) cores," \
    "locale ${LC_ALL:-${LANG:-C}}"
echo "catalogue: ${#files[@]} lists, $(du -sb "$data" | cut -f1) bytes"
tools=(cli grep rg driver grepC)
echo "warm-up"
for set in sel broad; do for t in "${tools[@]}"; do run_tool "$t-$set"; done; done
for ((r = 1; r <= rounds; r++)); do
    echo "round $r"
    for set in sel broad; do for t in "${tools[@]}"; do timed "$t-$set"; done; done
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v r="$1" -v t="$2" 'BEGIN { print (r <= t ? "met" : "MISSED") }'; }
lines() { wc -l <"$out/$1.txt"; }
rows() { sed -n 's/^\([0-9]*\) links.*/\1/p' "$out/$1.err"; }
echo
echo "best of $rounds, wall s / cpu s (peak RSS of the last round)"
for set in sel broad; do
    for t in "${tools[@]}"; do
        printf '  %-13s %6s  %5s  %7s KiB\n' "$t-$set" "${wall[$t-$set]}" "${cpu[$t-$set]}" \
            "${rss[$t-$set]}"
    done
done
echo
compare() { # label tool-a tool-b [target]: wall ratio a / b, against the target, and cpu ratio
    local r line
    r=$(ratio "${wall[$2]}" "${wall[$3]}")
    line=$(printf '  %-28s %s' "$1" "$r")
    [[ -z ${4:-} ]] || line+=" (target <= $4: $(verdict "$r" "$4"))"
    echo "$line, cpu $(ratio "${cpu[$2]}" "${cpu[$3]}")"
}
echo "four selective words ($selective): $(rows cli-sel) rows; grep $(lines grep-sel) lines"
compare "dravik-cli / grep -iF" cli-sel grep-sel 0.80
compare "dravik-cli / rg -i -j1 -F" cli-sel rg-sel 1.00
compare "driver / grep -iF" driver-sel grep-sel
compare "driver / rg -i -j1 -F" driver-sel rg-sel
compare "dravik-cli / LC_ALL=C grep" cli-sel grepC-sel
echo "broad words ($broad): $(rows cli-broad) rows; grep $(lines grep-broad) lines"
compare "dravik-cli / grep -iF" cli-broad grep-broad 2.00
compare "driver / grep -iF" driver-broad grep-broad 2.00
compare "dravik-cli / rg -i -j1 -F" cli-broad rg-broad
echo "  driver: $(cat "$out/driver-broad.txt")"
echo "  peak RSS: driver $(( ${rss[driver-broad]} / 1024 )) MiB with the rows kept" \
    "($(( $(stat -c %s "$out/driver-broad.report") / 1048576 )) MiB of rows)," \
    "dravik-cli $(( ${rss[cli-broad]} / 1024 )) MiB streaming them;" \
    "selective: driver $(( ${rss[driver-sel]} / 1024 )) MiB, dravik-cli $(( ${rss[cli-sel]} / 1024 )) MiB"
cmp -s "$out/cli-broad.txt" "$out/driver-broad.report" &&
    echo "  check: dravik-cli's output equals the driver's quick report" ||
    echo "  check: FAILED, dravik-cli's output differs from the driver's quick report"
