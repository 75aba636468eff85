# Cross-building for 64-bit Windows (x86_64) with mingw-w64; the end-to-end test builds its
# driver this way, which Wine runs natively while the 32-bit program may need emulation.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELTRAX_MINGW_TRIPLET x86_64-w64-mingw32 CACHE STRING "The mingw-w64 compiler prefix")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
