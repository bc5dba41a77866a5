# Sourced by the benchmarks that compare with bench/MinimalServer.cpp:
# registers it as "KelpaBench.Minimal" in the current Wine prefix.
#   register_minimal_server BUILD LOGFILE
register_minimal_server() {
  local exe="$1/bench/minimal_server.exe" clsid='{5B1D5F0A-7C55-4E0B-9C0E-2A6F3D8E1B01}'
  wine reg add "HKCR\\CLSID\\$clsid\\LocalServer32" /ve /d "Z:${exe//\//\\}" /f >"$2" 2>&1 </dev/null
  wine reg add 'HKCR\KelpaBench.Minimal\CLSID' /ve /d "$clsid" /f >>"$2" 2>&1 </dev/null
}
