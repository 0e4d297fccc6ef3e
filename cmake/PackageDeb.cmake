# The Linux package of the native build, made by CPack as a Debian package:
#   cmake --build build --target tarv32 && (cd build && cpack -G DEB)  ->  build/tarv32_<version>_<arch>.deb
# It installs the program as /usr/bin/tarv32, and the README and the example
# scripts under /usr/share/doc/tarv32.
install(TARGETS tarv32 RUNTIME DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION share/doc/tarv32)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/ DESTINATION share/doc/tarv32/examples FILES_MATCHING PATTERN "*.qd")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarv32)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "runs command scripts that start programs and drive their windows")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Tarv32 runs scripts in a small line-oriented command language: start programs and wait for them, "
       "branch and loop on their exit status, end processes, and, on an X11 desktop, wait for windows, "
       "bring them to the front, type into them and close them.")
set(CPACK_PACKAGE_CONTACT "Tarv32 developers <tarv32@localhost>")
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
