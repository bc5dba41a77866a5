# The same programs for 64-bit Windows (kelpa64.exe), run by the 64-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KELPA_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
