#!/usr/bin/env bash
# Many live objects in one server: keeps 1, 1,000 and 10,000 Kelpa.Profile
# objects alive (server_probe growth) and reports the server's private bytes
# per object, beside the minimal server's (the floor the COM runtime sets),
# and the warm call rate at each count. Targets: memory grows linearly; the
# rate of calls to one object with 10,000 alive is within 10% of the rate
# with one alive. Calls spread over all the objects (each call another one)
# also pay for the COM runtime finding the object, so that slowdown is set
# against the minimal server's own.
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
figures = [
    {"figure": f"private bytes per live object, 1 to {n(first)} objects", "kelpa": early,
     "comparison": per_object(minimal, 0, 1), "comparison_name": "minimal server",
     "ratio": round(early / max(per_object(minimal, 0, 1), 1), 3), "target": "-"},
    {"figure": f"private bytes per live object, {n(first)} to {n(last)} against 1 to {n(first)}",
     "kelpa": late, "comparison": early, "ratio": round(late / max(early, 1), 3), "target": "<= 1.1"},
]
for count, kib, one, spread in kelpa[1:]:
    figures.append({
        "figure": f"warm calls/s to one object, {n(count)} live against one ({calls} calls)",
        "kelpa": one, "comparison": kelpa[0][2], "ratio": round(one / kelpa[0][2], 3), "target": ">= 0.9"})
# Spread calls: Kelpa's slowdown from one live object to the most, against
# the minimal server's.
slowdown = [rows[2][3] / rows[0][3] for rows in (kelpa, minimal)]
figures.append({
    "figure": f"calls spread over {n(last)} live objects: slowdown against the minimal server's",
    "kelpa": round(slowdown[0], 3), "comparison": round(slowdown[1], 3), "comparison_name": "minimal server",
    "ratio": round(slowdown[0] / slowdown[1], 3), "target": ">= 0.9"})
json.dump({"benchmark": "live-objects", "kelpa": kelpa, "minimal": minimal, "figures": figures},
          open(out, "w"), indent=2)
print("count, KiB, calls/s to one object, spread (Kelpa.Profile):", kelpa)
print("count, KiB, calls/s to one object, spread (minimal server):", minimal)
for f in figures:
    print(f"  {f['figure']:70} {f['kelpa']:>9} {f['comparison']:>9} {f['ratio']:>7}  target {f['target']}")
PY
