# Read by cpack once for each package it makes: what differs between the ZIP
# archive and the installer.
if(CPACK_GENERATOR STREQUAL "NSIS")
  # The installer copies the files themselves, without the archive's folder.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
