# A Debian package: scripts/package.sh configures a build folder with
# -DCMAKE_INSTALL_PREFIX=/usr and runs cpack there. Its dependencies are worked out from
# every binary in the package (the program and the tournament systems in Systems/) by
# dpkg-shlibdeps, plus the run-time pieces Qt loads by name rather than by linking.
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Harrowfield Soft")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tournament manager for any sport or game")
# CPack indents the continuation lines of the control field itself.
set(CPACK_PACKAGE_DESCRIPTION
    "Velmora runs tournaments of any sport or game: leagues, round robins and\ncups. The program keeps the players, the draw and the results, and shows\nthe table as a web page. Tournament systems are plug-ins; a round-robin\nsystem is included.")
set(CPACK_PACKAGE_CONTACT "Velmora <feedback@velmora.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# CPack hands dpkg-shlibdeps every dynamically linked ELF file it packs, so the tournament
# systems' modules in Systems/ (private, loaded by path) count as much as the program.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the X11 platform plug-in, the web
# engine's helper process, the translations of Qt's own buttons. shared-mime-info and
# desktop-file-utils carry the dpkg triggers that refresh the MIME and desktop databases
# when the package's files arrive or leave; hicolor-icon-theme owns the icon folders. The live
# view's HTTP server is named as well, though linked, since the program cannot serve without it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6httpserver6, qt6-qpa-plugins, libqt6webenginecore6-bin, qt6-translations-l10n, shared-mime-info, desktop-file-utils, hicolor-icon-theme")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# What every Debian package carries in its documentation folder. The changelog is compressed
# without a time stamp, so two builds give the same bytes.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(velmora_changelog ${CMAKE_BINARY_DIR}/debian/changelog.gz)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/debian)
    execute_process(COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/cmake/debian/changelog
                    OUTPUT_FILE ${velmora_changelog})
    install(FILES ${velmora_changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR})
    install(FILES ${CMAKE_SOURCE_DIR}/cmake/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
    execute_process(COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/cmake/debian/velmora.1
                    OUTPUT_FILE ${CMAKE_BINARY_DIR}/debian/velmora.1.gz)
    install(FILES ${CMAKE_BINARY_DIR}/debian/velmora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
include(CPack)
