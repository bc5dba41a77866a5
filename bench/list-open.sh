#!/usr/bin/env bash
# How long a List takes to open with many items: from the call of Selection
# to the dialog showing every item (best of 3, by tests/programs/choice_client
# --bench), against the same with one item, which is the fixed cost of a
# dialog: the call, the window, its fonts and the driver finding it.
#   bench/list-open.sh OUT.json [--quick]
# Expects the Wine environment of tools/wine-env and a registered server.
set -euo pipefail
out=$1; quick=${2:-}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELPA_BUILD_DIR:-$root/build}
work=$build/bench/work; mkdir -p "$work"
items=10000
[ "$quick" = "--quick" ] && items=1000

open_ms() {  # item count -> milliseconds
  wine "$build/tests/choice_client.exe" --bench "$1" >"$work/list-open.out" 2>"$work/list-open.err" </dev/null || {
    echo "choice_client --bench $1 failed: $(cat "$work/list-open.err")" >&2; return 1; }
  tr -d '\r' <"$work/list-open.out" | awk '$1=="OPEN" {print $3}'
}
many=$(open_ms "$items")
one=$(open_ms 1)
ratio=$(awk -v a="$many" -v b="$one" 'BEGIN { if (b <= 0) b = 1; printf "%.3f", a / b }')

echo "List.Selection opening with $items items: $many ms; with 1 item: $one ms (ratio $ratio); target < 1000 ms"
cat >"$out" <<JSON
{
  "benchmark": "list-open",
  "figures": [
    {"figure": "List.Selection open with $items items vs 1 item (ms)", "kelpa": $many, "comparison": $one, "ratio": $ratio, "target": "< 1000 ms"}
  ]
}
JSON
