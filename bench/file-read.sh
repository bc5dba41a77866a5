#!/usr/bin/env bash
# File-read benchmark: BinFile.BRead in 4 KiB, 64 KiB and 1 MiB pieces, as
# Byte arrays and as Strings, against the transport alone: the minimal
# server's Move hands the same number of bytes through the same [in, out]
# Variant, with no file behind it (target: BRead at least 0.9 of it at every
# size). server_probe makes the calls as a script engine does, the two taking
# turns call by call, and reports the median time of each, so a busy machine
# slows both alike. A script's own read loop, against FSO's TextStream.Read
# (which reads inside the script's process), stays as the in-process
# reference.
#   bench/file-read.sh [OUT.json] [--quick] [--rounds N] [--build DIR]
# (--quick moves a few pieces of each size, to check that it works.)
# Uses the Wine environment of its caller when WINEPREFIX is set (the test
# suite, which has registered the server), else brings up its own
# (tools/wine-env) and registers the server there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELPA_BUILD_DIR:-$root/build}
# SIZE:CALLS - for the script, enough calls that a pass takes a second or
# more (VBScript's Timer is a Single: a few milliseconds apart); the probe
# makes twice as many to each server, for a steadier median.
pieces="4096:300,65536:100,1048576:16"
rounds=3
json=""
while [ $# -gt 0 ]; do
  case $1 in
    --rounds) rounds=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --quick) pieces="4096:8,65536:4,1048576:2"; rounds=1; shift ;;
    [!-]*) json=$1; shift ;;
    *) echo "usage: $0 [OUT.json] [--quick] [--rounds N] [--build DIR]" >&2; exit 2 ;;
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
source "$root/bench/minimal-server.bash"
register_minimal_server "$build" "$work/minimal.log"

# Printable text, so every reader sees the same bytes as characters; as
# long as the longest pass.
bytes=$(tr ',' '\n' <<<"$pieces" | awk -F: '2 * $1 * $2 > m { m = 2 * $1 * $2 } END { print m }')
data="$work/data.txt"
head -c "$bytes" < <(yes 'The quick brown fox jumps over the lazy dog. 0123456789 abcdefghij') >"$data"

windows() { echo "Z:${1//\//\\}"; }
timeout 1200 wine cscript.exe //nologo "$(windows "$root/bench/file-read.vbs")" "$(windows "$data")" "$pieces" \
  "$rounds" >"$work/run.out" 2>&1 </dev/null || true
tr -d '\r' <"$work/run.out" >"$work/results"
if ! grep -q '^DONE' "$work/results"; then
  echo "file-read: the script did not finish:" >&2
  cat "$work/results" >&2
  exit 1
fi
for item in ${pieces//,/ }; do
  for type in 0 8; do  # Byte arrays, Strings
    wine "$build/bench/server_probe.exe" transfer "$(windows "$data")" "${item%:*}" $(( ${item#*:} * 2 )) "$type" \
      >"$work/probe.out" 2>"$work/probe.err" </dev/null || {
      echo "file-read: server_probe transfer failed: $(cat "$work/probe.err")" >&2; exit 1; }
    tr -d '\r' <"$work/probe.out" |
      awk -v size="${item%:*}" -v type="$type" '$1 == "TRANSFER" { print "TRANSFER", size, type, $2, $3 }' >>"$work/results"
  done
done

# One figure per size and form (MiB/s; a script pass under 1 ms counts as 1 ms).
python3 - "$work/results" "$rounds" "${json:-/dev/null}" <<'PY'
import json, sys
results, rounds, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
script, transfer = {}, {}
for line in open(results):
    f = line.split()
    if f and f[0] == "RESULT":
        size, kind, moved, ms = int(f[1]), f[2], int(f[3]), max(int(f[4]), 1)
        script[size, kind] = moved / 1048576 * 1000 / ms
    elif f and f[0] == "TRANSFER":
        size, form = int(f[1]), "Strings" if f[2] == "8" else "Byte arrays"
        transfer[size, form] = [size / 1048576 * 1000 / max(float(ms), 0.001) for ms in f[3:5]]
def label(size):
    return f"{size // 1048576} MiB" if size >= 1048576 else f"{size // 1024} KiB"
figures = []
for size in sorted({s for s, _ in script}):
    for form in ("Byte arrays", "Strings"):
        bread, move = transfer[size, form]
        figures.append({
            "figure": f"BRead {label(size)} pieces as {form} vs transport, MiB/s (median call)",
            "kelpa": round(bread, 2), "comparison": round(move, 2),
            "comparison_name": "minimal server Move, same [in, out] Variant",
            "ratio": round(bread / move, 3), "target": ">= 0.9"})
    figures.append({
        "figure": f"script reading {label(size)} pieces: BRead vs FSO in-process (reference), MiB/s",
        "kelpa": round(script[size, "bread"], 2), "comparison": round(script[size, "fso"], 2),
        "comparison_name": "Scripting.FileSystemObject TextStream.Read",
        "ratio": round(script[size, "bread"] / script[size, "fso"], 3), "target": "-"})
print(f"file-read: calls in turns, median of each; script passes best of {rounds} rounds")
for f in figures:
    print(f"  {f['figure']:60} {f['kelpa']:>9} {f['comparison']:>9} {f['ratio']:>7}  target {f['target']}")
json.dump({"benchmark": "file-read", "rounds": rounds, "figures": figures}, open(out, "w"), indent=2)
PY
