#!/usr/bin/env bash
# File-read benchmark: a script reads a text file sequentially in 64 KiB
# pieces with BinFile.BRead and with FSO's TextStream.Read, in one run, and
# this prints both rates and their ratio (target: BinFile at least as fast).
#   bench/file-read.sh [OUT.json] [--quick] [--mib N] [--piece BYTES] [--json FILE] [--build DIR]
# (--quick reads 1 MiB, to check that it works.)
# Uses the Wine environment of its caller when WINEPREFIX is set (the test
# suite, which has registered the server), else brings up its own
# (tools/wine-env) and registers the server there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELPA_BUILD_DIR:-$root/build}
mib=64
piece=65536
json=""
while [ $# -gt 0 ]; do
  case $1 in
    --mib) mib=$2; shift 2 ;;
    --piece) piece=$2; shift 2 ;;
    --json) json=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --quick) mib=1; shift ;;
    [!-]*) json=$1; shift ;;
    *) echo "usage: $0 [OUT.json] [--quick] [--mib N] [--piece BYTES] [--json FILE] [--build DIR]" >&2; exit 2 ;;
  esac
done

[ -f "$build/build.ninja" ] || "$root/tools/build"
work=$(mktemp -d "${TMPDIR:-/tmp}/kelpa-bench.XXXXXX")
own=""
trap 'rm -rf "$work"; if [ -n "$own" ]; then kelpa_wine_down; fi' EXIT
if [ -z "${WINEPREFIX:-}" ]; then
  source "$root/tools/wine-env"
  own=yes
  kelpa_wine_up "$build"
  wine "$(kelpa_server_exe "$build")" /regserver >"$work/register.log" 2>&1 </dev/null
fi

# Printable text, so both readers see the same bytes as characters.
data="$work/data.txt"
head -c $((mib * 1048576)) < <(yes 'The quick brown fox jumps over the lazy dog. 0123456789 abcdefghij') >"$data"

windows() { echo "Z:${1//\//\\}"; }
timeout 600 wine cscript.exe //nologo "$(windows "$root/bench/file-read.vbs")" "$(windows "$data")" "$piece" \
  >"$work/run.out" 2>&1 </dev/null || true
result() { tr -d '\r' <"$work/run.out" | awk -v who="$1" '$1 == "RESULT" && $2 == who { print $3, $4 }'; }
read -r kelpaBytes kelpaMs <<<"$(result kelpa)" || true
read -r emptiedBytes emptiedMs <<<"$(result emptied)" || true
read -r fsoBytes fsoMs <<<"$(result fso)" || true
expected=$((mib * 1048576))
if [ "${kelpaBytes:-0}" != "$expected" ] || [ "${emptiedBytes:-0}" != "$expected" ] ||
   [ "${fsoBytes:-0}" != "$expected" ]; then
  echo "file-read: the script did not read the whole file:" >&2
  cat "$work/run.out" >&2
  exit 1
fi

# Rates in MiB/s (a run under 1 ms counts as 1 ms).
figures=$(awk -v mib="$mib" -v k="$kelpaMs" -v e="$emptiedMs" -v f="$fsoMs" 'BEGIN {
  if (k < 1) k = 1; if (e < 1) e = 1; if (f < 1) f = 1
  kr = mib * 1000 / k; er = mib * 1000 / e; fr = mib * 1000 / f
  printf "%.1f %.1f %.1f %.3f %.3f", kr, er, fr, kr / fr, er / fr }')
read -r kelpaRate emptiedRate fsoRate ratio emptiedRatio <<<"$figures"
echo "file-read: $mib MiB in $piece-byte pieces"
echo "  Kelpa BinFile.BRead:                 $kelpaRate MiB/s ($kelpaMs ms)"
echo "  the same, variable emptied each time: $emptiedRate MiB/s ($emptiedMs ms)"
echo "  FSO TextStream.Read:                 $fsoRate MiB/s ($fsoMs ms)"
echo "  ratio BinFile / FSO:                 $ratio (target: at least 1)"
echo "  ratio, variable emptied:             $emptiedRatio"

if [ -n "$json" ]; then
  cat >"$json" <<JSON
{
  "benchmark": "file-read",
  "figures": [
    {
      "figure": "sequential read of $mib MiB in $piece-byte pieces, MiB/s",
      "kelpa": $kelpaRate,
      "comparison": $fsoRate,
      "comparison_name": "Scripting.FileSystemObject TextStream.Read",
      "ratio": $ratio,
      "target": 1.0
    },
    {
      "figure": "the same with the variable emptied before each BRead, MiB/s",
      "kelpa": $emptiedRate,
      "comparison": $fsoRate,
      "comparison_name": "Scripting.FileSystemObject TextStream.Read",
      "ratio": $emptiedRatio,
      "target": 1.0
    }
  ]
}
JSON
fi
