# The Linux package of the native build, made by CPack as a Debian package:
#   cmake --build build --target tarv32 && (cd build && cpack -G DEB)  ->  build/tarv32_<version>_<arch>.deb
# It installs the program as /usr/bin/tarv32 with its manual page tarv32(1),
# and under /usr/share/doc/tarv32 the user guide (HTML), the README, the
# example scripts, the copyright file and the changelog. The test
# deb_package_lintian (tests/CMakeLists.txt) builds it and runs lintian on it.
install(TARGETS tarv32 RUNTIME DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/cmake/deb/copyright DESTINATION share/doc/tarv32)
if(TARV_GUIDE_PYTHON)
  install(FILES ${TARV_GUIDE_HTML} DESTINATION share/doc/tarv32)
endif()

# The manual page and the changelog, compressed as Debian wants them: gzip -9
# without a name or time stamp, so that the same input gives the same bytes.
# The package is native (Tarv32 is its own upstream, the version has no
# Debian revision), so its changelog is changelog.gz, not changelog.Debian.gz.
set(TARV_MANUAL_PAGE ${CMAKE_BINARY_DIR}/deb/tarv32.1)
set(TARV_DEB_CHANGELOG ${CMAKE_BINARY_DIR}/deb/changelog)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/deb)
add_custom_command(
  OUTPUT ${TARV_MANUAL_PAGE}.gz
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/make-manpage.py roff
          ${CMAKE_SOURCE_DIR}/docs/tarv32.1.md ${PROJECT_VERSION} ${TARV_MANUAL_PAGE}
  COMMAND gzip -9nf ${TARV_MANUAL_PAGE}
  DEPENDS ${CMAKE_SOURCE_DIR}/docs/tarv32.1.md ${CMAKE_SOURCE_DIR}/tools/make-manpage.py
  COMMENT "Making the manual page tarv32(1)"
  VERBATIM)
add_custom_command(
  OUTPUT ${TARV_DEB_CHANGELOG}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/cmake/deb/changelog ${TARV_DEB_CHANGELOG}
  COMMAND gzip -9nf ${TARV_DEB_CHANGELOG}
  DEPENDS ${CMAKE_SOURCE_DIR}/cmake/deb/changelog
  VERBATIM)
add_custom_target(deb_documents ALL DEPENDS ${TARV_MANUAL_PAGE}.gz ${TARV_DEB_CHANGELOG}.gz)
install(FILES ${TARV_MANUAL_PAGE}.gz DESTINATION share/man/man1)
install(FILES ${TARV_DEB_CHANGELOG}.gz DESTINATION share/doc/tarv32)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/ DESTINATION share/doc/tarv32/examples FILES_MATCHING PATTERN "*.qd")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarv32)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "runs command scripts that start programs and drive their windows")
# Lines of the extended description stay within 80 columns.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Tarv32 runs scripts in a small line-oriented command language: start\n"
       "programs and wait for them, branch and loop on their exit status, end\n"
       "processes, and, on an X11 desktop, wait for windows, bring them to the\n"
       "front, type into them and close them.")
set(CPACK_PACKAGE_CONTACT "Tarv32 Developers <maintainers@tarv32.example.org>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries the program links (libc, libstdc++, libX11, libXtst), as
# dpkg-shlibdeps finds them; without it, the same list by hand.
find_program(TARV_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TARV_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1, libx11-6, libxtst6, libxkbcommon0")
endif()
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xterm")
include(CPack)
