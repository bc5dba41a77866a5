# Sourced by the benchmarks that compare with bench/MinimalServer.cpp.
#   server_bench_paths ROOT           sets build, work (a scratch folder in the
#                                     build) and program (the server's file name)
#   register_minimal_server BUILD LOG registers it as "KelpaBench.Minimal"
#                                     in the current Wine prefix
server_bench_paths() {
  build=${KELPA_BUILD_DIR:-$1/build}
  work=$build/bench/work
  mkdir -p "$work"
  program=kelpa.exe
  if [ -f "$build/kelpa64.exe" ]; then program=kelpa64.exe; fi
}

register_minimal_server() {
  local exe="$1/bench/minimal_server.exe" clsid='{5B1D5F0A-7C55-4E0B-9C0E-2A6F3D8E1B01}'
  wine reg add "HKCR\\CLSID\\$clsid\\LocalServer32" /ve /d "Z:${exe//\//\\}" /f >"$2" 2>&1 </dev/null
  wine reg add 'HKCR\KelpaBench.Minimal\CLSID' /ve /d "$clsid" /f >>"$2" 2>&1 </dev/null
}
