#!/usr/bin/env bash
# The script windows under load: Window2's WriteLine rate at the start and at
# the end of 100,000 lines (appending must not slow down as the text grows),
# and how long a ProgressWindow takes to repaint while a client calls
# Progress in a tight loop and while it calls nothing.
#   bench/script-windows.sh OUT.json [--quick]
# Expects the Wine environment of tools/wine-env and a registered kelpa.exe.
set -euo pipefail
out=$1; quick=${2:-}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELPA_BUILD_DIR:-$root/build}
work=$build/bench/work; mkdir -p "$work"

lines=100000; sample=10000; seconds=5
[ "$quick" = "--quick" ] && { lines=3000; sample=1000; seconds=1; }

probe() {  # arguments -> the probe's last line
  wine "$build/bench/window_probe.exe" "$@" >"$work/window-probe-$1.out" 2>"$work/window-probe-$1.err" </dev/null || {
    echo "window_probe $* failed: $(cat "$work/window-probe-$1.err")" >&2; return 1; }
  tr -d '\r' <"$work/window-probe-$1.out" | tail -1
}

# The machine's load beside the figures: they are wall-clock rates.
load_before=$(cut -d' ' -f1 /proc/loadavg)
read -r start end total <<<"$(probe lines "$lines" "$sample")"
read -r busy_paint busy_message idle_paint idle_message <<<"$(probe repaint "$seconds")"

load=$(awk -v a="$load_before" -v b="$(cut -d' ' -f1 /proc/loadavg)" 'BEGIN { printf "%.1f", (a + b) / 2 }')
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "null"; else printf "%.3f", a / b }'; }
{
  echo "["
  printf '  {"figure": "Window2 lines/s, last vs first %s of %s", "kelpa": %s, "comparison": %s, "ratio": %s, "target": ">= 0.8", "load": %s},\n' \
    "$sample" "$lines" "$end" "$start" "$(ratio "$end" "$start")" "$load"
  printf '  {"figure": "Window2 seconds for all %s lines", "kelpa": %s, "comparison": null, "ratio": null, "target": "-", "load": %s},\n' \
    "$lines" "$total" "$load"
  printf '  {"figure": "ProgressWindow repaint ms, Progress loop (worst)", "kelpa": %s, "comparison": 100, "ratio": %s, "target": "<= 1", "load": %s},\n' \
    "$busy_paint" "$(ratio "$busy_paint" 100)" "$load"
  printf '  {"figure": "ProgressWindow message ms, Progress loop (worst)", "kelpa": %s, "comparison": 100, "ratio": %s, "target": "<= 1", "load": %s},\n' \
    "$busy_message" "$(ratio "$busy_message" 100)" "$load"
  printf '  {"figure": "ProgressWindow repaint ms, idle client (worst)", "kelpa": %s, "comparison": 100, "ratio": %s, "target": "<= 1", "load": %s}\n' \
    "$idle_paint" "$(ratio "$idle_paint" 100)" "$load"
  echo "]"
} >"$out"
cat "$out"
