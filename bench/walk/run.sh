#!/bin/bash
# Times the walk engine against GNU find and bfs writing the same kind of listing of one tree,
# all with a hot cache: one warm-up run each, then three rounds taking turns, best of three.
# Prints wall and CPU seconds, the ratios driver/bfs and driver/find, and the driver's peak
# memory on the whole tree and on a tenth of it. Then checks the driver lists the same files.
# With facts: the driver reading each file's size and time (statx, as cataloguing does) against
# bfs -printf '%s %T@ %p\n', which does the same work.
# Usage: bench/walk/run.sh   (BUILD=folder to build elsewhere, ROUNDS=n, ONLY_FACTS=1 for the
#        facts pair alone)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../timing.sh
source "$here/../timing.sh"
repo=$(cd "$here/../.." && pwd)
build=${BUILD:-$repo/build-bench}
rounds=${ROUNDS:-3}
tree=/tmp/dravik-walk-tree
small=/tmp/dravik-walk-tree-small
out=/tmp/dravik-walk-out
mkdir -p "$out"

cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j1 --target walk_bench_driver >/dev/null
driver=$build/bench/walk/walk_bench_driver

python3 "$here/make_tree.py" "$tree" 500000 40000
python3 "$here/make_tree.py" "$small" 50000 4000

# Other work on the machine slows every figure: say how busy it is.
echo "$(date -u "+%F %H:%M UTC"), load average $(cut -d" " -f1-3 /proc/loadavg), $(nproc) cores"
format='"%h/","%f"\r\n'
run_tool() { # tool -> runs it once over $tree, output to $out/<tool>.txt
    case $1 in
    driver) "$driver" "$tree" "$out/driver.txt" >"$out/driver.msg" ;;
    find) find "$tree" -type f -printf "$format" >"$out/find.txt" ;;
    bfs) bfs "$tree" -type f -printf "$format" >"$out/bfs.txt" ;;
    driver-facts) "$driver" --facts "$tree" "$out/driver-facts.txt" >"$out/driver-facts.msg" ;;
    bfs-facts) bfs "$tree" -type f -printf '%s %T@ %p\n' >"$out/bfs-facts.txt" ;;
    driver-jpg) "$driver" "$tree" "$out/driver-jpg.txt" 'E:\' '*.jpg' >/dev/null ;;
    find-jpg) find "$tree" -type f -iname '*.jpg' -printf "$format" >"$out/find-jpg.txt" ;;
    esac
}

# One timed run: wall seconds from the clock, CPU seconds and peak RSS from GNU time.
declare -A wall cpu rss
timed() {
    local start end
    start=$(date +%s%N)
    /usr/bin/time -f "%U %S %M" -o "$out/$1.time" bash -c "$(declare -f run_tool);
        driver='$driver' tree='$tree' out='$out' format='$format'; run_tool $1"
    end=$(date +%s%N)
    read -r user sys kib <"$out/$1.time"
    local w c
    w=$(seconds "$start" "$end")
    c=$(cpu_seconds "$user" "$sys")
    printf '  %-10s wall %6s s  cpu %5s s  (user %s, sys %s)\n' "$1" "$w" "$c" "$user" "$sys"
    keep_best "$1" "$w" "$c"
    rss[$1]=$kib
}

# The last two list only *.jpg files: the walk's pattern path, for information.
# driver-facts reads each file's size and time as cataloguing does, against bfs printing the same.
tools=(driver find bfs driver-facts bfs-facts driver-jpg find-jpg)
if [[ -n ${ONLY_FACTS:-} ]]; then tools=(driver-facts bfs-facts); fi
echo "warm-up"
for t in "${tools[@]}"; do run_tool "$t"; done
for ((r = 1; r <= rounds; r++)); do
    echo "round $r"
    for t in "${tools[@]}"; do timed "$t"; done
done

echo
echo "best of $rounds (wall; CPU = user + sys, less hit by other load on the machine)"
for t in "${tools[@]}"; do
    printf '  %-10s %6s s wall  %5s s cpu\n' "$t" "${wall[$t]}" "${cpu[$t]}"
done
rs=$(ratio "${wall[driver-facts]}" "${wall[bfs-facts]}")
echo "  driver-facts/bfs-facts $rs (target <= 1.00: $(verdict "$rs" 1.00))," \
    "cpu $(ratio "${cpu[driver-facts]}" "${cpu[bfs-facts]}")"
if [[ -n ${ONLY_FACTS:-} ]]; then exit 0; fi
rb=$(ratio "${wall[driver]}" "${wall[bfs]}")
rf=$(ratio "${wall[driver]}" "${wall[find]}")
echo "  driver/bfs  $rb (target <= 1.10: $(verdict "$rb" 1.10))," \
    "cpu $(ratio "${cpu[driver]}" "${cpu[bfs]}")"
echo "  driver/find $rf (target <= 0.70: $(verdict "$rf" 0.70))," \
    "cpu $(ratio "${cpu[driver]}" "${cpu[find]}")"

# Peak memory: the whole tree against a tenth of it, to show it does not grow with the files.
/usr/bin/time -f "%M" -o "$out/small.time" "$driver" "$small" "$out/small.txt" >/dev/null
own=$(sed -n 's/.*peak RSS \([0-9]*\) KiB.*/\1/p' "$out/driver.msg")
echo "  driver peak RSS ${rss[driver]} KiB on 500,000 files (getrusage in the driver: $own KiB)," \
    "$(cat "$out/small.time") KiB on 50,000 files in 4,000 folders"

# Same files as find lists, in the list's own form (order differs: find goes depth first).
sed -e "s|^\"$tree/|\"E:/|" -e 's|/|\\|g' "$out/find.txt" | LC_ALL=C sort >"$out/find.sorted"
head -n -1 "$out/driver.txt" | tr -d '\r' | LC_ALL=C sort >"$out/driver.sorted"
tr -d '\r' <"$out/find.sorted" | cmp -s - "$out/driver.sorted" &&
    echo "  check: the driver lists the same $(wc -l <"$out/driver.sorted") files as find" ||
    echo "  check: FAILED, the driver's files differ from find's (see $out)"
echo "  summary line: $(tail -n 1 "$out/driver.txt" | tr -d '\r')"
