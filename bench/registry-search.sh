#!/usr/bin/env bash
# Registry.Search against Wine's reg.exe on the same tree, in one run.
#   bench/registry-search.sh OUT.json [--quick]   (or [--small] OUT.json)
# Searches HKLM\Software for a value name that occurs nowhere, so both walk
# the whole tree: Search with KeyLevels 4 (the default) and with KeyLevels 64
# (the full depth, exactly the tree reg.exe walks), against
# `reg query HKLM\Software /s /v NAME` (Wine's reg has no /f; /s /v is its
# search for a value name). Each figure is the best of a few runs. The reg
# figure includes starting reg.exe, which is also given on its own.
# --small or --quick: HKLM\Software\Wine, one run each; only checks that it works.
# Prints the figures and writes them as JSON (figure, kelpa, comparison,
# ratio, target). Uses the Wine environment it is given, or starts one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELPA_BUILD_DIR:-$root/build}
small=0
if [ "${1:-}" = "--small" ]; then small=1; shift; fi
out=${1:?usage: registry-search.sh OUT.json [--quick]}
if [ "${2:-}" = "--quick" ]; then small=1; fi

if [ -z "${WINEPREFIX:-}" ]; then
  source "$root/tools/wine-env"
  kelpa_wine_up "$build"
  trap kelpa_wine_down EXIT
  wine "$(kelpa_server_exe "$build")" /regserver >"$build/logs/bench-register.log" 2>&1 </dev/null
fi

name=KelpaBenchNoSuchValue
if [ $small = 1 ]; then path='HKLM\Software\Wine'; runs=1; else path='HKLM\Software'; runs=3; fi
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${KELPA_XVFB_PID:-}" ] && kelpa_wine_down' EXIT
winwork="Z:${work//\//\\}"

cat >"$work/search.js" <<JS
var r = new ActiveXObject("Kelpa.Registry");
r.ItemType = 1;
r.KeyLevels = 1;
r.Search("$name", "HKLM\\\\Software\\\\Wine");  // starts the server, warms the path
var tree = "${path//\\/\\\\}";
if (r.RegEntryExists(tree) !== 1) WScript.Echo("UNEXPECTED: no key " + tree);
var levels = [4, 64];
for (var i = 0; i < levels.length; i++) {
    r.KeyLevels = levels[i];
    var best = -1;
    for (var run = 0; run < $runs; run++) {
        var t0 = new Date().getTime();
        var found = r.Search("$name", tree);
        var ms = new Date().getTime() - t0;
        if (found !== "" || r.ErrorCode !== 802) { WScript.Echo("UNEXPECTED " + found + " " + r.ErrorCode); }
        if (best < 0 || ms < best) best = ms;
    }
    WScript.Echo("SEARCH " + levels[i] + " " + best);
}
JS
wine cscript.exe //nologo "$winwork\\search.js" >"$work/search.out" 2>&1 </dev/null
if grep -q UNEXPECTED "$work/search.out" || ! grep -q '^SEARCH 64' "$work/search.out"; then
  echo "registry-search: the search script failed:"; cat "$work/search.out"; exit 1
fi
search4=$(tr -d '\r' <"$work/search.out" | awk '$1=="SEARCH" && $2==4 {print $3}')
search64=$(tr -d '\r' <"$work/search.out" | awk '$1=="SEARCH" && $2==64 {print $3}')

# Milliseconds of the best of $runs runs of a wine command (output to a file).
time_best() {
  local best=-1 t0 t1 ms
  for _ in $(seq "$runs"); do
    t0=$(date +%s%N)
    wine "$@" >"$work/reg.out" 2>&1 </dev/null || true
    t1=$(date +%s%N)
    ms=$(( (t1 - t0) / 1000000 ))
    if [ $best -lt 0 ] || [ $ms -lt $best ]; then best=$ms; fi
  done
  echo $best
}
reg=$(time_best reg query "$path" /s /v "$name")
if ! grep -q 'Search complete' "$work/reg.out"; then
  echo "registry-search: reg.exe did not answer as expected:"; head -5 "$work/reg.out"; exit 1
fi
regstart=$(time_best reg query "$path" /v "$name")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b <= 0) b = 1; printf "%.3f", a / b }'; }
r4=$(ratio "$search4" "$reg"); r64=$(ratio "$search64" "$reg")

echo "registry search for a missing value name over $path (best of $runs):"
echo "  Registry.Search, KeyLevels 4:   $search4 ms"
echo "  Registry.Search, KeyLevels 64:  $search64 ms"
echo "  reg query /s /v:                $reg ms (of which starting reg.exe: $regstart ms)"
echo "  ratio Search/reg: $r4 (KeyLevels 4), $r64 (KeyLevels 64); target <= 1"

cat >"$out" <<JSON
{
  "benchmark": "registry-search",
  "tree": "${path//\\/\\\\}",
  "runs": $runs,
  "figures": [
    {"figure": "Registry.Search KeyLevels 4 vs reg query /s /v (ms)", "kelpa": $search4, "comparison": $reg, "ratio": $r4, "target": "<= 1"},
    {"figure": "Registry.Search KeyLevels 64 vs reg query /s /v (ms)", "kelpa": $search64, "comparison": $reg, "ratio": $r64, "target": "<= 1"}
  ],
  "comparison_start_ms": $regstart
}
JSON
