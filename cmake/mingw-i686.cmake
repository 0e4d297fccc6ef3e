# Cross build of the Win32 program with MinGW-w64 for 32-bit Windows: the
# program that ships.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TARV_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
