# Cross-compiles Kelpa for Windows with Debian's mingw-w64 (posix thread model,
# so std::thread and std::mutex exist) and runs test programs under Wine.
# Included by the toolchain file of each width, which names the target.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${KELPA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELPA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${KELPA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KELPA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
