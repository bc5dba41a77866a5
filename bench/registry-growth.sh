#!/usr/bin/env bash
# Registry.Search as the tree grows: the benchmark makes trees of 1,000,
# 10,000 and 100,000 keys under HKCU\Software\KelpaBench (each key holding one
# value) and searches each whole for a value name that occurs nowhere. Target:
# the time grows no faster than the tree: the time per key on the larger
# trees is that on 1,000 keys, within the 10% a loaded machine's timings
# wander. Each figure is the best of a few rounds that take turns over the
# trees. The keys are deleted at the end.
#   bench/registry-growth.sh OUT.json [--quick]
# Expects the Wine environment of tools/wine-env and a registered server.
set -euo pipefail
out=$1; quick=${2:-}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELPA_BUILD_DIR:-$root/build}
work=$(mktemp -d "${TMPDIR:-/tmp}/kelpa-bench.XXXXXX")
base='HKCU\Software\KelpaBench'
cleanup() { wine reg delete "$base" /f >/dev/null 2>&1 </dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
winwork="Z:${work//\//\\}"

sizes="1000 10000 100000"; rounds=3
[ "$quick" = "--quick" ] && { sizes="100 1000"; rounds=1; }

# Each tree: `top` keys under Tree<size>, each with size/top - 1 subkeys, so
# that the tree holds exactly `size` keys below its root.
python3 - "$work/trees.reg" "$base" $sizes <<'PY'
import sys
path, base, sizes = sys.argv[1], sys.argv[2].replace("HKCU", "HKEY_CURRENT_USER"), sys.argv[3:]
with open(path, "w", encoding="utf-16") as reg:
    reg.write("Windows Registry Editor Version 5.00\r\n\r\n")
    for size in map(int, sizes):
        top = 10 if size <= 1000 else 100
        for t in range(top):
            branch = f"{base}\\Tree{size}\\Branch{t:03}"
            reg.write(f"[{branch}]\r\n\"Data\"=\"{t}\"\r\n\r\n")
            for leaf in range(size // top - 1):
                reg.write(f"[{branch}\\Leaf{leaf:04}]\r\n\"Data\"=\"{leaf}\"\r\n\r\n")
PY
started=$(date +%s)
wine reg import "$winwork\\trees.reg" >"$work/import.log" 2>&1 </dev/null
echo "registry-growth: made the trees in $(( $(date +%s) - started )) s"

cat >"$work/search.js" <<JS
var r = new ActiveXObject("Kelpa.Registry");
var sizes = "$sizes".split(" ");
var best = [];
r.ItemType = 1;
r.KeyLevels = 64;
for (var round = 0; round < $rounds; round++) {
    for (var i = 0; i < sizes.length; i++) {
        var tree = "${base//\\/\\\\}\\\\Tree" + sizes[i];
        if (r.RegEntryExists(tree) !== 1) WScript.Echo("UNEXPECTED: no key " + tree);
        var t0 = new Date().getTime();
        var found = r.Search("KelpaBenchNoSuchValue", tree);
        var ms = new Date().getTime() - t0;
        if (found !== "" || r.ErrorCode !== 802) WScript.Echo("UNEXPECTED " + found + " " + r.ErrorCode);
        if (round === 0 || ms < best[i]) best[i] = ms;
    }
}
for (var i = 0; i < sizes.length; i++) WScript.Echo("SEARCH " + sizes[i] + " " + best[i]);
WScript.Echo("DONE");
JS
wine cscript.exe //nologo "$winwork\\search.js" >"$work/search.out" 2>&1 </dev/null
tr -d '\r' <"$work/search.out" >"$work/results"
if grep -q UNEXPECTED "$work/results" || ! grep -q '^DONE' "$work/results"; then
  echo "registry-growth: the search script failed:"; cat "$work/results"; exit 1
fi

python3 - "$work/results" "$rounds" "$out" <<'PY'
import json, sys
results, rounds, out = sys.argv[1], sys.argv[2], sys.argv[3]
times = [tuple(int(x) for x in line.split()[1:]) for line in open(results) if line.startswith("SEARCH")]
(small, small_ms), figures = times[0], []
for size, ms in times[1:]:
    # Linear growth from the smallest tree; a smallest search under 1 ms counts as 1 ms.
    linear = max(small_ms, 1) * size / small
    figures.append({
        "figure": f"Registry.Search over {size:,} keys against {small:,} scaled (ms, best of {rounds})",
        "kelpa": ms, "comparison": round(linear), "comparison_name": f"{small_ms} ms over {small:,} keys, times {size // small}",
        "ratio": round(ms / linear, 3), "target": "<= 1.1"})
json.dump({"benchmark": "registry-growth", "times": times, "figures": figures}, open(out, "w"), indent=2)
print("keys ms:", times)
for f in figures:
    print(f"  {f['figure']:70} {f['kelpa']:>7} {f['comparison']:>7} {f['ratio']:>7}  target {f['target']}")
PY
