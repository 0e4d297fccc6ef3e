# Cross build with MinGW-w64 for 64-bit Windows, for running the Wine test
# suite on machines whose kernel cannot run 32-bit code (there the suite
# checks the same sources built for x86-64); the program itself ships as i686.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TARV_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
