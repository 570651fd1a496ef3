# Desktop integration and the Debian package.
#   cmake --install build --prefix /usr   puts the program, kelmaz-cli, their manual pages, the
#                                         .desktop entry, the AppStream metadata, the icon and
#                                         the MIME types in their standard places;
#   cpack --config build/CPackConfig.cmake  builds kelmaz_<version>_<arch>.deb for Debian 12.
# The menus, the icon cache and the MIME database pick the files up through the triggers of
# desktop-file-utils, hicolor-icon-theme and shared-mime-info, so the package has no scripts.
# scripts/package.sh builds the package and checks it with lintian and the metadata validators.
include(GNUInstallDirs)

set(KELMAZ_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/src/resources)
set(KELMAZ_PACKAGE_MAINTAINER "Kelmaz developers <kelmaz@kelmaz.example.org>"
    CACHE STRING "Maintainer field of the Debian package: \"Name <address>\"")

# Manual pages and the changelog are installed compressed, as Debian's policy asks; gzip -n
# leaves the name and time out, so the same sources give the same bytes.
find_program(KELMAZ_GZIP gzip REQUIRED)
set(KELMAZ_COMPRESSED_DIR ${PROJECT_BINARY_DIR}/compressed)
file(MAKE_DIRECTORY ${KELMAZ_COMPRESSED_DIR})
function(kelmaz_compressed source name)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    execute_process(COMMAND ${KELMAZ_GZIP} -9 -n -c ${source}
                    OUTPUT_FILE ${KELMAZ_COMPRESSED_DIR}/${name}.gz
                    COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# The changelog's newest entry names the version being packaged.
set(KELMAZ_CHANGELOG ${KELMAZ_DESKTOP_DIR}/debian/changelog)
file(STRINGS ${KELMAZ_CHANGELOG} changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^kelmaz \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "${KELMAZ_CHANGELOG} has no entry for version ${PROJECT_VERSION} on top")
endif()
kelmaz_compressed(${KELMAZ_CHANGELOG} changelog)

# A manual page names the version it describes in its title line.
function(kelmaz_manual_page name)
    set(page ${KELMAZ_DESKTOP_DIR}/man/${name}.1)
    file(STRINGS ${page} title REGEX "^\\.TH ")
    if(NOT title MATCHES "\"Kelmaz ${PROJECT_VERSION}\"")
        message(FATAL_ERROR "${page} does not describe version ${PROJECT_VERSION}: ${title}")
    endif()
    kelmaz_compressed(${page} ${name}.1)
    install(FILES ${KELMAZ_COMPRESSED_DIR}/${name}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
kelmaz_manual_page(kelmaz-cli)

if(NOT KELMAZ_CORE_ONLY)
    kelmaz_manual_page(kelmaz)
    install(FILES ${KELMAZ_DESKTOP_DIR}/linux/kelmaz.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${KELMAZ_DESKTOP_DIR}/linux/org.example.kelmaz.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${KELMAZ_DESKTOP_DIR}/kelmaz.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${KELMAZ_DESKTOP_DIR}/linux/kelmaz-mime.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME kelmaz.xml)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${KELMAZ_DESKTOP_DIR}/debian/copyright
              ${KELMAZ_COMPRESSED_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kelmaz)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelmaz)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kelmaz")
set(CPACK_PACKAGE_CONTACT "${KELMAZ_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KELMAZ_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kelmaz.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Go board and game-record program with a Japanese interface")
# Debian shows the description in 80 columns: every line stays within 79 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Place stones on a 19, 13 or 9-line board, keep, replay and edit game\n"
    "records (SGF, UGF, board-applet HTML, Tki text), edit variation trees,\n"
    "play a match against another copy over TCP or against a GTP engine such\n"
    "as GNU Go. kelmaz-cli converts, inspects and scores records in scripts.\n"
    "The user interface is in Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The programs are in /usr/bin, not in /usr/games, so the section is not "games".
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Shared-library dependencies come from dpkg-shlibdeps; the rest are loaded at run time:
# the X11 platform plugin (without it no window opens), the SVG icon engine, the web engine's
# helper process, Qt's own Japanese texts (standard buttons, context menus) and the Japanese font;
# SQLite for the game library and the charset detector of the readers (also found by
# dpkg-shlibdeps, named here so that they are never lost).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libsqlite3-0, libuchardet0, qt6-qpa-plugins, libqt6svg6, libqt6webenginecore6-bin, qt6-translations-l10n, fonts-ipafont-gothic")
# GNU Go is the computer opponent the game window starts when no other engine is named.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, shared-mime-info, desktop-file-utils, gnugo")
include(CPack)
