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

# The installer, Tarv32-<version>-win32-setup.exe, made by CPack's NSIS
# generator where makensis is found (Debian package nsis): a per-user
# installation without administrator rights, with a Start-menu entry for the
# editor and the .qd association. Its script is cmake/nsis/NSIS.template.in;
# cmake/nsis/PackageOptions.cmake gives it its own file name.
find_program(TARV_MAKENSIS makensis)
if(TARV_MAKENSIS)
  list(APPEND CPACK_GENERATOR NSIS)
else()
  message(STATUS "makensis not found: the package target makes the ZIP archive only")
endif()
set(CPACK_MODULE_PATH ${CMAKE_SOURCE_DIR}/cmake/nsis)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/nsis/PackageOptions.cmake)
set(CPACK_PACKAGE_VENDOR "The Tarv32 developers")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tarv32)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Tarv32)
set(CPACK_NSIS_PACKAGE_NAME Tarv32)
set(CPACK_NSIS_DISPLAY_NAME "Tarv32 ${PROJECT_VERSION}")
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/src/run/win32/tarv32.ico)
# The installer runs as the kind of program it installs.
if(CPACK_SYSTEM_NAME STREQUAL win64)
  set(CPACK_TARV_NSIS_TARGET amd64-unicode)
else()
  set(CPACK_TARV_NSIS_TARGET x86-unicode)
endif()
include(CPack)
