# Cross toolchain: 64-bit Windows programs built with MinGW-w64 on Linux, tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_triple x86_64-w64-mingw32)
find_program(PWSTD_MINGW_CXX NAMES ${_triple}-g++-posix ${_triple}-g++)
find_program(PWSTD_MINGW_CC NAMES ${_triple}-gcc-posix ${_triple}-gcc)
find_program(PWSTD_MINGW_RC NAMES ${_triple}-windres)
if(NOT PWSTD_MINGW_CXX OR NOT PWSTD_MINGW_CC OR NOT PWSTD_MINGW_RC)
  message(FATAL_ERROR "The MinGW-w64 cross compiler (${_triple}-g++, -gcc and -windres) was not "
                      "found. Install Debian's g++-mingw-w64-x86-64 (scripts/setup does).")
endif()
set(CMAKE_CXX_COMPILER ${PWSTD_MINGW_CXX})
# GoogleTest's own project enables C as well.
set(CMAKE_C_COMPILER ${PWSTD_MINGW_CC})
set(CMAKE_RC_COMPILER ${PWSTD_MINGW_RC})

set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# One self-contained executable: no libstdc++, libgcc or winpthread DLLs next to it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(PWSTD_WINE NAMES wine wine64)
if(PWSTD_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PWSTD_WINE})
endif()
