# The release archive: tarv32.exe with the user guide (HTML and Markdown),
# the examples that run on Windows and a short guide to associating .qd files
# with it, as one ZIP made by CPack:
#   cmake --build build-win32 --target package   ->  build-win32/Tarv32-<version>-win32.zip
install(TARGETS tarv32 RUNTIME DESTINATION .)
install(FILES ${TARV_GUIDE_HTML} ${TARV_GUIDE_SOURCE} ${CMAKE_SOURCE_DIR}/docs/associating-qd-files.txt DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/windows DESTINATION examples FILES_MATCHING PATTERN "*.qd")

if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64")
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_SYSTEM_NAME win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tarv32)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_FILE_NAME "Tarv32-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME}")
include(CPack)
