#!/usr/bin/env bash
# Many live objects in one server: keeps 1, 1,000 and 10,000 Kelpa.Profile
# objects alive and reports the server's private bytes per object (beside the
# minimal server's, the floor the COM runtime sets) and the warm call rate at
# each count (targets: the rate with 10,000 within 10% of the rate with one,
# memory growing linearly).
#   bench/live-objects.sh OUT.json [--quick]
# Expects the Wine environment of tools/wine-env and a registered server.
set -euo pipefail
out=$1; quick=${2:-}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELPA_BUILD_DIR:-$root/build}
work=$build/bench/work; mkdir -p "$work"
program=kelpa.exe; [ -f "$build/kelpa64.exe" ] && program=kelpa64.exe
source "$root/bench/minimal-server.bash"
register_minimal_server "$build" "$work/reg.log"

counts="1 1000 10000"; calls=1000
[ "$quick" = "--quick" ] && { counts="1 10 50"; calls=50; }

growth() {  # progid member exe counts... -> "count KiB calls/s" lines
  wine "$build/bench/server_probe.exe" growth "$1" "$2" "$3" "$calls" "${@:4}" \
    >"$work/growth.out" 2>"$work/growth.err" </dev/null || {
    echo "server_probe growth $1 failed: $(cat "$work/growth.err")" >&2; return 1; }
  tr -d '\r' <"$work/growth.out" | awk '$1 == "GROWTH" { print $2, $3, $4 }'
}
# shellcheck disable=SC2086
growth Kelpa.Profile ErrorLevel "$program" $counts >"$work/kelpa.growth"
# The minimal server only for the memory floor, up to the first large count.
# shellcheck disable=SC2086
growth KelpaBench.Minimal Ping minimal_server.exe $(cut -d' ' -f1-2 <<<"$counts") >"$work/minimal.growth"

python3 - "$work/kelpa.growth" "$work/minimal.growth" "$calls" "$out" <<'PY'
import json, sys
def load(path):
    return [tuple(float(x) for x in line.split()) for line in open(path) if line.strip()]
kelpa, minimal, calls, out = load(sys.argv[1]), load(sys.argv[2]), sys.argv[3], sys.argv[4]
def per_object(rows, a, b):  # bytes per object between two counts
    return round((rows[b][1] - rows[a][1]) * 1024 / (rows[b][0] - rows[a][0]))
def n(count):
    return f"{int(count):,}"
first, last = kelpa[1][0], kelpa[2][0]
early, late = per_object(kelpa, 0, 1), per_object(kelpa, 1, 2)
figures = [
    {"figure": f"private bytes per live object, 1 to {n(first)} objects", "kelpa": early,
     "comparison": per_object(minimal, 0, 1), "comparison_name": "minimal server",
     "ratio": round(early / max(per_object(minimal, 0, 1), 1), 3), "target": "-"},
    {"figure": f"private bytes per live object, {n(first)} to {n(last)} against 1 to {n(first)}",
     "kelpa": late, "comparison": early, "ratio": round(late / max(early, 1), 3), "target": "<= 1.1"},
]
for count, kib, rate in kelpa[1:]:
    figures.append({
        "figure": f"warm calls/s with {n(count)} live objects against one ({calls} calls)",
        "kelpa": rate, "comparison": kelpa[0][2], "ratio": round(rate / kelpa[0][2], 3), "target": ">= 0.9"})
json.dump({"benchmark": "live-objects", "kelpa": kelpa, "minimal": minimal, "figures": figures},
          open(out, "w"), indent=2)
print("count KiB calls/s (Kelpa.Profile):", kelpa)
print("count KiB calls/s (minimal server):", minimal)
for f in figures:
    print(f"  {f['figure']:70} {f['kelpa']:>9} {f['comparison']:>9} {f['ratio']:>7}  target {f['target']}")
PY
