# Cross build for 32-bit Windows with MinGW-w64 (posix threads); the test
# programs run under Wine in a prefix of the build's own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

find_program(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER i686-w64-mingw32-windres REQUIRED)
find_program(WINE wine REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Static runtime: the programs import system DLLs only, so Wine needs no WINEPATH.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
set(CMAKE_CROSSCOMPILING_EMULATOR sh ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR} ${WINE})
