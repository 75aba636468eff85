# Cross-building for 32-bit Windows (i686) with mingw-w64 on Linux:
#   cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DVELTRAX_TESTS=OFF
# ANSI (no UNICODE), statically linked so that every .exe runs alone on a bare Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VELTRAX_MINGW_TRIPLET i686-w64-mingw32 CACHE STRING "The mingw-w64 compiler prefix")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
