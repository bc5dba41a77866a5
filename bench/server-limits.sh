#!/usr/bin/env bash
# Kelpa's server against the physical limit (bench/MinimalServer.cpp: one
# class, one trivial method, nothing else): cold start, warm late-bound call
# rate from VBScript, idle private bytes with one object.
#   bench/server-limits.sh OUT.json [--quick]
# Expects the Wine environment of tools/wine-env and a registered kelpa.exe.
set -euo pipefail
out=$1; quick=${2:-}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELPA_BUILD_DIR:-$root/build}
work=$build/bench/work; mkdir -p "$work"
program=kelpa.exe; [ -f "$build/kelpa64.exe" ] && program=kelpa64.exe
win() { local p=$1; echo "Z:${p//\//\\}"; }

runs=7; calls=2000
[ "$quick" = "--quick" ] && { runs=1; calls=100; }

clsid='{5B1D5F0A-7C55-4E0B-9C0E-2A6F3D8E1B01}'
wine reg add "HKCR\\CLSID\\$clsid\\LocalServer32" /ve /d "$(win "$build/bench/minimal_server.exe")" /f >"$work/reg.log" 2>&1 </dev/null
wine reg add 'HKCR\KelpaBench.Minimal\CLSID' /ve /d "$clsid" /f >>"$work/reg.log" 2>&1 </dev/null

probe() {  # mode progid member exe [runs] -> number on stdout
  wine "$build/bench/server_probe.exe" "$@" >"$work/probe.out" 2>"$work/probe.err" </dev/null || {
    echo "server_probe $* failed: $(cat "$work/probe.err")" >&2; return 1; }
  tr -d '\r' <"$work/probe.out" | tail -1
}

rate() {  # progid member -> calls per second from VBScript
  cat >"$work/rate.vbs" <<VBS
Set o = CreateObject("$1")
x = o.$2
n = $calls
t = Timer
For i = 1 To n
    x = o.$2
Next
e = Timer - t
If e <= 0 Then e = 0.001
WScript.Echo "RATE " & CLng(n / e)
VBS
  wine cscript.exe //nologo "$(win "$work/rate.vbs")" >"$work/rate.out" 2>&1 </dev/null
  tr -d '\r' <"$work/rate.out" | sed -n 's/^RATE //p' | tail -1
}

cold_kelpa=$(probe coldstart Kelpa.Profile ErrorLevel "$program" "$runs")
cold_minimal=$(probe coldstart KelpaBench.Minimal Ping minimal_server.exe "$runs")
rate_kelpa=$(rate Kelpa.Profile ErrorLevel)
rate_minimal=$(rate KelpaBench.Minimal Ping)
idle_kelpa=$(probe idle Kelpa.Profile ErrorLevel "$program")
idle_minimal=$(probe idle KelpaBench.Minimal Ping minimal_server.exe)

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "null"; else printf "%.3f", a / b }'; }
{
  echo "["
  printf '  {"figure": "cold start, ms (median of %s)", "kelpa": %s, "comparison": %s, "ratio": %s, "target": "<= 1.15"},\n' \
    "$runs" "$cold_kelpa" "$cold_minimal" "$(ratio "$cold_kelpa" "$cold_minimal")"
  printf '  {"figure": "warm VBScript calls/s (%s calls)", "kelpa": %s, "comparison": %s, "ratio": %s, "target": ">= 0.9"},\n' \
    "$calls" "$rate_kelpa" "$rate_minimal" "$(ratio "$rate_kelpa" "$rate_minimal")"
  printf '  {"figure": "idle private KiB, one object", "kelpa": %s, "comparison": %s, "ratio": %s, "target": "<= 1.5"}\n' \
    "$idle_kelpa" "$idle_minimal" "$(ratio "$idle_kelpa" "$idle_minimal")"
  echo "]"
} >"$out"
cat "$out"
