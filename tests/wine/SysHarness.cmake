# Programs of the Wine cases of the system services: testwin, the window
# and process that the scripts start, find, close, end and type into, and
# sysprobe, which runs the process pictures directly and posts messages to
# the program's application window.
add_executable(testwin WIN32 ${TARV_WINE_DIR}/testwin/testwin.cpp ${TARV_WINE_DIR}/manifest.rc)
target_include_directories(testwin PRIVATE ${TARV_GENERATED_DIR})
target_link_libraries(testwin PRIVATE user32 gdi32 shell32)
tarv_link_static(testwin)

add_executable(sysprobe ${TARV_WINE_DIR}/testwin/sysprobe.cpp)
target_link_libraries(sysprobe PRIVATE tarvcore ${TARV_SYSTEM_LIBS})
tarv_link_static(sysprobe)
