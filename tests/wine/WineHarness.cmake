# Programs of the Wine test harness: the driver that reads and presses the
# dialogs of another program, and the probe that shows the real dialogs and
# runs the process services on request. run-wine-suite.sh runs them; the
# driver loads textfit.dll and keyseen.dll from beside itself.
set(TARV_WINE_DIR ${CMAKE_SOURCE_DIR}/tests/wine)

add_executable(tarvdriver ${TARV_WINE_DIR}/driver/tarvdriver.cpp ${TARV_WINE_DIR}/manifest.rc)
target_include_directories(tarvdriver PRIVATE ${TARV_GENERATED_DIR})
target_link_libraries(tarvdriver PRIVATE user32 gdi32 shell32 ole32)
tarv_link_static(tarvdriver)

# Loaded by the driver's hook into the program under test, where it measures
# the texts of a window in the controls' own fonts.
add_library(textfit SHARED ${TARV_WINE_DIR}/driver/textfit.cpp)
set_target_properties(textfit PROPERTIES PREFIX "")
target_link_libraries(textfit PRIVATE user32 gdi32)
target_link_options(textfit PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--kill-at)

# Hooked by the driver into the thread it types into, where it notes which
# keys reached a window.
add_library(keyseen SHARED ${TARV_WINE_DIR}/driver/keyseen.cpp)
set_target_properties(keyseen PROPERTIES PREFIX "")
target_link_libraries(keyseen PRIVATE user32)
target_link_options(keyseen PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--kill-at)
add_dependencies(tarvdriver textfit keyseen)

add_executable(uiprobe WIN32 ${TARV_WINE_DIR}/uiprobe.cpp ${TARV_WINE_DIR}/manifest.rc)
target_include_directories(uiprobe PRIVATE ${TARV_GENERATED_DIR})
target_link_libraries(uiprobe PRIVATE tarvcore ${TARV_SYSTEM_LIBS})
tarv_link_static(uiprobe)
include(${TARV_WINE_DIR}/SysHarness.cmake)
