# The arithmetic every timing script shares; sourced, not run. Callers declare the associative
# arrays `wall` and `cpu`.

# seconds START_NS END_NS -> wall seconds, "%.3f"
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (b - a) / 1e9 }'; }
# cpu_seconds USER SYS -> their sum, "%.2f"
cpu_seconds() { awk -v u="$1" -v s="$2" 'BEGIN { printf "%.2f", u + s }'; }
# keep_best KEY WALL CPU: the best of the rounds so far under KEY
keep_best() {
    if [[ -z ${wall[$1]:-} ]] || awk -v a="$2" -v b="${wall[$1]}" 'BEGIN { exit !(a < b) }'; then
        wall[$1]=$2
    fi
    if [[ -z ${cpu[$1]:-} ]] || awk -v a="$3" -v b="${cpu[$1]}" 'BEGIN { exit !(a < b) }'; then
        cpu[$1]=$3
    fi
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v r="$1" -v t="$2" 'BEGIN { print (r <= t ? "met" : "MISSED") }'; }
