# A Debian package: `cpack -G DEB` in the build folder after a build with
# -DCMAKE_INSTALL_PREFIX=/usr. Its dependencies are worked out from the binaries by
# dpkg-shlibdeps, so it installs on a clean Debian 12 with apt.
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Harrowfield Soft")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tournament manager for any sport or game")
set(CPACK_PACKAGE_DESCRIPTION "Velmora runs tournaments of any sport or game: leagues, round robins\nand cups. Tournament systems are plug-ins; a round-robin system is included.")
set(CPACK_PACKAGE_CONTACT "Velmora <feedback@velmora.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_GENERATOR DEB)
# The program's folder holds Systems/ and the help set beside the executable; the one in
# the search path is a link to it.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
