# The Win32 program tarv32.exe and the programs of the Wine test harness.
#
# tarv32.exe is a GUI-subsystem program linked statically, so that it imports
# system DLLs only; its resource script brings the version resource, the icon
# and the manifest (common controls 6, DPI awareness).
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -O coff")

set(TARV_WIN32_DIR ${CMAKE_SOURCE_DIR}/src/run/win32)
set(TARV_SYSTEM_LIBS comctl32 comdlg32 version shell32 ole32 uuid user32 gdi32 kernel32)

# No MinGW runtime DLL at run time: libgcc, libstdc++ and winpthread go in.
function(tarv_link_static target)
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
endfunction()

# The version numbers of the resource come from TarvVersion.h (CMakeLists.txt).
configure_file(${TARV_WIN32_DIR}/tarv32.manifest.in ${TARV_GENERATED_DIR}/tarv32.manifest @ONLY)

add_executable(tarv32 WIN32 ${TARV_WIN32_DIR}/main.cpp ${TARV_WIN32_DIR}/tarv32.rc)
# windres finds the icon, the manifest and the version header on these paths.
target_include_directories(tarv32 PRIVATE ${TARV_GENERATED_DIR} ${TARV_WIN32_DIR})
target_link_libraries(tarv32 PRIVATE tarvcore ${TARV_SYSTEM_LIBS})
set_target_properties(tarv32 PROPERTIES OUTPUT_NAME tarv32 SUFFIX .exe)
tarv_link_static(tarv32)
set_source_files_properties(${TARV_WIN32_DIR}/tarv32.rc PROPERTIES
  OBJECT_DEPENDS "${TARV_WIN32_DIR}/tarv32.ico;${TARV_GENERATED_DIR}/tarv32.manifest;${TARV_GENERATED_DIR}/TarvVersion.h")

include(${CMAKE_SOURCE_DIR}/tests/wine/WineHarness.cmake)

include(${CMAKE_SOURCE_DIR}/cmake/Package.cmake)
