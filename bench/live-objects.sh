#!/usr/bin/env bash
# Many live objects in one server: keeps 1, 1,000 and 10,000 Kelpa.Profile
# objects alive (server_probe growth) and reports the server's private bytes
# per object, beside the minimal server's (the floor the COM runtime sets),
# and the warm call rates at each count, to the oldest object and to all in
# turn. Targets: memory grows linearly; the rate with 10,000 alive is within
# 10% of the rate with one. The minimal server's own slowdown stands beside
# Kelpa's: finding the called object is the COM runtime's work.
#   bench/live-objects.sh OUT.json [--quick]
# Expects the Wine environment of tools/wine-env and a registered server.
set -euo pipefail
out=$1; quick=${2:-}
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/bench/minimal-server.bash"
server_bench_paths "$root"
register_minimal_server "$build" "$work/reg.log"

counts="1 1000 10000"; calls=500
[ "$quick" = "--quick" ] && { counts="1 10 50"; calls=20; }

growth() {  # progid member exe -> "count KiB one spread" lines
  # shellcheck disable=SC2086
  wine "$build/bench/server_probe.exe" growth "$1" "$2" "$3" "$calls" $counts \
    >"$work/growth.out" 2>"$work/growth.err" </dev/null || {
    echo "server_probe growth $1 failed: $(cat "$work/growth.err")" >&2; return 1; }
  tr -d '\r' <"$work/growth.out" | awk '$1 == "GROWTH" { print $2, $3, $4, $5 }'
}
growth Kelpa.Profile ErrorLevel "$program" >"$work/kelpa.growth"
growth KelpaBench.Minimal Ping minimal_server.exe >"$work/minimal.growth"

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
overall = per_object(kelpa, 0, 2), per_object(minimal, 0, 2)
figures = [
    {"figure": f"private bytes per live object, 1 to {n(last)} objects", "kelpa": overall[0],
     "comparison": overall[1], "comparison_name": "minimal server",
     "ratio": round(overall[0] / max(overall[1], 1), 3), "target": "-"},
    # Private bytes move in steps as the heap commits memory: the step to
    # the first count is coarse.
    {"figure": f"private bytes per live object, {n(first)} to {n(last)} against 1 to {n(first)}",
     "kelpa": late, "comparison": early, "ratio": round(late / max(early, 1), 3), "target": "<= 1.1"},
]
# Rates as slowdowns from one live object; the minimal server's beside
# Kelpa's shows what the COM runtime itself costs as objects pile up.
for column, calls_to in ((2, "the oldest object"), (3, "objects in turn")):
    for step in (1, 2):
        mine, floor = (rows[step][column] / rows[0][column] for rows in (kelpa, minimal))
        figures.append({
            "figure": f"calls/s to {calls_to}, {n(kelpa[step][0])} live against one (slowdown)",
            "kelpa": round(mine, 3), "comparison": round(floor, 3), "comparison_name": "minimal server's slowdown",
            "ratio": round(mine, 3), "target": ">= 0.9"})
json.dump({"benchmark": "live-objects", "calls": int(calls), "kelpa": kelpa, "minimal": minimal,
           "figures": figures}, open(out, "w"), indent=2)
print("count, KiB, calls/s to one object, spread (Kelpa.Profile):", kelpa)
print("count, KiB, calls/s to one object, spread (minimal server):", minimal)
for f in figures:
    print(f"  {f['figure']:70} {f['kelpa']:>9} {f['comparison']:>9} {f['ratio']:>7}  target {f['target']}")
PY
