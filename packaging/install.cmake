# The installed tree, as a Debian desktop program lays it out (cmake --install build --prefix P):
#   P/bin/                       kestrelwing, kestrelwing-cli
#   P/lib/kestrelwing/           what is not for the user's PATH: the stand-in emulator
#   P/share/kestrelwing/         the files the program ships (resources/shipped/)
#   P/share/applications/, P/share/icons/hicolor/, P/share/metainfo/  the desktop's entries
#   P/share/man/man1/, P/share/bash-completion/completions/, P/share/doc/kestrelwing/
# The programs find lib/kestrelwing/ and share/kestrelwing/ relative to their own executable, so
# that the tree works under any prefix. Then the Debian package of that tree (./kw package).
include(GNUInstallDirs)
# Installing (and cpack) takes what is built; ./kw package builds only the installed targets.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(KW_APP_ID org.kestrelwing.Kestrelwing)
set(KW_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

if(KW_BUILD_UI)
  install(TARGETS kestrelwing RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS kestrelwing-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Fixed, not CMAKE_INSTALL_LIBDIR (lib/x86_64-linux-gnu under /usr on Debian): the programs look
# for it at ../lib/kestrelwing/ beside their own directory.
install(TARGETS kw-stand-in-emulator RUNTIME DESTINATION lib/kestrelwing)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/shipped/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/kestrelwing FILE_PERMISSIONS OWNER_READ OWNER_WRITE
                                                           GROUP_READ WORLD_READ)

install(FILES ${KW_PACKAGING_DIR}/${KW_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KW_PACKAGING_DIR}/${KW_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${KW_PACKAGING_DIR}/kestrelwing-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME kestrelwing-cli)

# Manual pages and the changelog compressed as Debian wants them (gzip -9n: no name, no time).
set(KW_COMPRESSED)
foreach(page kestrelwing.1 kestrelwing-cli.1 changelog)
  set(gz ${CMAKE_BINARY_DIR}/packaging/${page}.gz)
  add_custom_command(OUTPUT ${gz}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
                     COMMAND gzip -9n -c ${KW_PACKAGING_DIR}/${page} > ${gz}
                     DEPENDS ${KW_PACKAGING_DIR}/${page} VERBATIM)
  list(APPEND KW_COMPRESSED ${gz})
endforeach()
add_custom_target(kw_compressed_docs ALL DEPENDS ${KW_COMPRESSED})
install(FILES ${CMAKE_BINARY_DIR}/packaging/kestrelwing.1.gz
              ${CMAKE_BINARY_DIR}/packaging/kestrelwing-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${KW_PACKAGING_DIR}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kestrelwing)
install(FILES ${KW_PACKAGING_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME kestrelwing)

# The Debian package of the installed tree, made from this build's own objects:
#   cpack -G DEB -B DIR   (./kw package puts it into dist/)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrelwing)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop front-end for the MAME arcade emulator")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kestrelwing developers <developers@kestrelwing.org>")
# Not "games": that section wants its programs in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://kestrelwing.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS mame)
# CPack indents these lines under the summary and writes the empty one as " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Kestrelwing asks the emulator which games it supports and keeps that as a
profile, lets you browse your games with pictures and details, edit the
emulator's options, launch a game from its ROM archives after testing them,
verify a whole collection and keep play statistics.

It works with Debian's mame package and comes with a demo collection of games
of its own (kestrelwing --demo).")
include(CPack)
