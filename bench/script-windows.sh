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

lines=100000; seconds=5
[ "$quick" = "--quick" ] && { lines=5000; seconds=1; }

probe() {  # arguments -> the probe's last line
  wine "$build/bench/window_probe.exe" "$@" >"$work/window-probe.out" 2>"$work/window-probe.err" </dev/null || {
    echo "window_probe $* failed: $(cat "$work/window-probe.err")" >&2; return 1; }
  tr -d '\r' <"$work/window-probe.out" | tail -1
}

read -r start end <<<"$(probe lines "$lines")"
read -r busy_paint busy_message idle_paint idle_message <<<"$(probe repaint "$seconds")"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "null"; else printf "%.3f", a / b }'; }
{
  echo "["
  printf '  {"figure": "Window2 lines/s, last vs first 1000 of %s", "kelpa": %s, "comparison": %s, "ratio": %s, "target": ">= 0.8"},\n' \
    "$lines" "$end" "$start" "$(ratio "$end" "$start")"
  printf '  {"figure": "ProgressWindow repaint ms, Progress loop (worst)", "kelpa": %s, "comparison": 100, "ratio": %s, "target": "<= 1"},\n' \
    "$busy_paint" "$(ratio "$busy_paint" 100)"
  printf '  {"figure": "ProgressWindow message ms, Progress loop (worst)", "kelpa": %s, "comparison": 100, "ratio": %s, "target": "<= 1"},\n' \
    "$busy_message" "$(ratio "$busy_message" 100)"
  printf '  {"figure": "ProgressWindow repaint ms, idle client (worst)", "kelpa": %s, "comparison": 100, "ratio": %s, "target": "<= 1"}\n' \
    "$idle_paint" "$(ratio "$idle_paint" 100)"
  echo "]"
} >"$out"
cat "$out"
