#!/bin/bash
# The walk through the main window (progress labels, throttled repaints) against the engine
# alone, on the tree of run.sh, hot cache, best of three each. Target: at most 1.10.
# Usage: bench/walk/window_run.sh   (BUILD=folder to build elsewhere)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${BUILD:-$repo/build-bench}
tree=/tmp/dravik-walk-tree
work=/tmp/dravik-window-walk
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target walk_bench_driver window_walk_driver >/dev/null
python3 "$here/make_tree.py" "$tree" 500000 40000
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/dravik-walk-runtime}
mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
best() { sort -n | head -1; }
"$build/bench/walk/walk_bench_driver" "$tree" /tmp/dravik-walk-out.txt >/dev/null # warm-up
engine=$(for i in 1 2 3; do "$build/bench/walk/walk_bench_driver" "$tree" /tmp/dravik-walk-out.txt | grep -o '^[0-9.]*'; done | best)
"$build/bench/walk/window_walk_driver" "$tree" "$work" | tail -1
windowed=$(for i in 1 2 3; do "$build/bench/walk/window_walk_driver" "$tree" "$work" | grep -o '^[0-9.]*'; done | best)
echo "engine alone     $engine s"
echo "with the window  $windowed s (the walk and publishing, window live)"
awk -v a="$windowed" -v b="$engine" 'BEGIN { printf "ratio %.2f (target <= 1.10)\n", a / b }'
