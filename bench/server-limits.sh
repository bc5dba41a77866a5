#!/usr/bin/env bash
# Kelpa's server against the physical limit (bench/MinimalServer.cpp: one
# class, one trivial method, nothing else): cold start, warm late-bound call
# rate from VBScript, idle private bytes with one object. Both servers answer
# IDispatchEx, so a script call costs both the same round trips; the rates
# are the best of a few runs that take turns, the load of the machine varying.
#   bench/server-limits.sh OUT.json [--quick]
# Expects the Wine environment of tools/wine-env and a registered kelpa.exe.
set -euo pipefail
out=$1; quick=${2:-}
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/bench/minimal-server.bash"
server_bench_paths "$root"
win() { local p=$1; echo "Z:${p//\//\\}"; }

runs=7; calls=2000; rounds=3
[ "$quick" = "--quick" ] && { runs=1; calls=100; rounds=1; }

register_minimal_server "$build" "$work/reg.log"

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
best() { awk -v a="$1" -v b="$2" 'BEGIN { print (a > b ? a : b) }'; }
rate_kelpa=0; rate_minimal=0
for _ in $(seq "$rounds"); do
  rate_kelpa=$(best "$rate_kelpa" "$(rate Kelpa.Profile ErrorLevel)")
  rate_minimal=$(best "$rate_minimal" "$(rate KelpaBench.Minimal Ping)")
done
idle_kelpa=$(probe idle Kelpa.Profile ErrorLevel "$program")
idle_minimal=$(probe idle KelpaBench.Minimal Ping minimal_server.exe)

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "null"; else printf "%.3f", a / b }'; }
{
  echo "["
  printf '  {"figure": "cold start, ms (median of %s)", "kelpa": %s, "comparison": %s, "ratio": %s, "target": "<= 1.15"},\n' \
    "$runs" "$cold_kelpa" "$cold_minimal" "$(ratio "$cold_kelpa" "$cold_minimal")"
  printf '  {"figure": "warm VBScript calls/s (%s calls, best of %s)", "kelpa": %s, "comparison": %s, "ratio": %s, "target": ">= 0.95"},\n' \
    "$calls" "$rounds" "$rate_kelpa" "$rate_minimal" "$(ratio "$rate_kelpa" "$rate_minimal")"
  printf '  {"figure": "idle private KiB, one object", "kelpa": %s, "comparison": %s, "ratio": %s, "target": "<= 1.5"}\n' \
    "$idle_kelpa" "$idle_minimal" "$(ratio "$idle_kelpa" "$idle_minimal")"
  echo "]"
} >"$out"
cat "$out"
