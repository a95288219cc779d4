#!/bin/bash
# Times the global search for 10,000 words over the catalogue of run.sh (2,000 disc lists of
# 5,000 lines, hot cache) against grep -a -iF -f WORDS over the same files, in the same run: one
# warm-up each, then rounds taking turns, best of three. Prints wall and CPU seconds, the ratio
# against grep (target <= 2) and the row counts.
# Usage: bench/search/many_words.sh   (BUILD=folder to use another build, ROUNDS=n, COUNT=words)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../timing.sh
source "$here/../timing.sh"
repo=$(cd "$here/../.." && pwd)
build=${BUILD:-$repo/build-bench}
rounds=${ROUNDS:-3}
count=${COUNT:-10000}
data=/tmp/dravik-search-data
out=/tmp/dravik-search-out
mkdir -p "$out"

# A build folder of another kind (RelWithDebInfo) is used as it is.
[[ -f $build/CMakeCache.txt ]] || cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j1 \
    --target search_list_generator search_word_generator search_bench_driver dravik-cli >/dev/null
cli=$build/dravik/dravik-cli
driver=$build/bench/search/search_bench_driver

# shellcheck source=catalogue.sh
source "$here/catalogue.sh"

words=$out/many-words.txt
"$build/bench/search/search_word_generator" "$count" >"$words"

# One tool, run by a script of its own: the words and the file names are too long to pass to it
# on a command line. grep stops at the first match when its output is /dev/null, so every tool
# writes a file.
runner=$out/many-run.sh
cat >"$runner" <<SCRIPT
#!/bin/bash
files=("$data"/Backup*.rtf)
o=$out/many-\$1.txt
case \$1 in
cli) "$cli" search "\$(paste -sd'|' "$words")" --data "$data" >"\$o" 2>"$out/many-cli.err" || true ;;
driver) "$driver" "$data" "\$(paste -sd'|' "$words")" "$out/many-driver.report" >"\$o" ;;
grep) grep -a -iF -f "$words" "\${files[@]}" >"\$o" || true ;;
grepC) LC_ALL=C grep -a -iF -f "$words" "\${files[@]}" >"\$o" || true ;;
esac
SCRIPT
run_tool() { bash "$runner" "$1"; }

declare -A wall cpu
timed() {
    local start end user sys w c
    start=$(date +%s%N)
    /usr/bin/time -f "%U %S" -o "$out/many-$1.time" bash "$runner" "$1"
    end=$(date +%s%N)
    read -r user sys <"$out/many-$1.time"
    w=$(seconds "$start" "$end")
    c=$(cpu_seconds "$user" "$sys")
    printf '  %-7s wall %7s s  cpu %6s s\n' "$1" "$w" "$c"
    keep_best "$1" "$w" "$c"
}

echo "$(date -u "+%F %H:%M UTC"), load average $(cut -d" " -f1-3 /proc/loadavg), $(nproc) cores," \
    "locale ${LC_ALL:-${LANG:-C}}"
echo "catalogue: ${#files[@]} lists, $(du -sb "$data" | cut -f1) bytes; $(wc -l <"$words") words"
tools=(cli driver grep grepC)
echo "warm-up"
for t in "${tools[@]}"; do run_tool "$t"; done
for ((r = 1; r <= rounds; r++)); do
    echo "round $r"
    for t in "${tools[@]}"; do timed "$t"; done
done

echo
echo "best of $rounds, wall s / cpu s"
for t in "${tools[@]}"; do printf '  %-7s %7s  %6s\n' "$t" "${wall[$t]}" "${cpu[$t]}"; done
r=$(ratio "${wall[cli]}" "${wall[grep]}")
echo "dravik-cli / grep -iF -f: $r (target <= 2.00: $(awk -v r="$r" 'BEGIN { print (r <= 2 ? "met" : "MISSED") }')), cpu $(ratio "${cpu[cli]}" "${cpu[grep]}")"
echo "driver / grep -iF -f: $(ratio "${wall[driver]}" "${wall[grep]}"), cpu $(ratio "${cpu[driver]}" "${cpu[grep]}")"
echo "dravik-cli / LC_ALL=C grep -iF -f: $(ratio "${wall[cli]}" "${wall[grepC]}")"
echo "rows: dravik-cli $(wc -l <"$out/many-cli.txt"), grep $(wc -l <"$out/many-grep.txt") lines" \
    "(grep repeats lines that dravik reports once)"
echo "driver: $(cat "$out/many-driver.txt")"
cmp -s "$out/many-cli.txt" "$out/many-driver.report" &&
    echo "check: dravik-cli's output equals the driver's quick report" ||
    echo "check: FAILED, dravik-cli's output differs from the driver's quick report"
