# Desktop integration and the Debian package.
#   cmake --install build --prefix /usr   puts the program, kelmaz-cli, the .desktop entry,
#                                         the icon and the MIME types in their standard places;
#   cpack --config build/CPackConfig.cmake  builds kelmaz_<version>_<arch>.deb for Debian 12.
# The menus, the icon cache and the MIME database pick the files up through the triggers of
# desktop-file-utils, hicolor-icon-theme and shared-mime-info, so the package has no scripts.
include(GNUInstallDirs)

set(KELMAZ_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/src/resources)
if(NOT KELMAZ_CORE_ONLY)
    install(FILES ${KELMAZ_DESKTOP_DIR}/linux/kelmaz.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${KELMAZ_DESKTOP_DIR}/kelmaz.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${KELMAZ_DESKTOP_DIR}/linux/kelmaz-mime.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME kelmaz.xml)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kelmaz)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelmaz)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kelmaz")
set(CPACK_PACKAGE_CONTACT "Kelmaz developers <kelmaz@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Go board and game-record program with a Japanese interface")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Place stones on a 19, 13 or 9-line board, keep, replay and edit game records (SGF,\n"
    "UGF, board-applet HTML, Tki text), edit variation trees, and play a match against\n"
    "another copy over TCP. The user interface is in Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Shared-library dependencies come from dpkg-shlibdeps; the rest are loaded at run time:
# the X11 platform plugin (without it no window opens), the SVG icon engine, the web engine's
# helper process, Qt's own Japanese texts (standard buttons, context menus) and the Japanese font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6svg6, libqt6webenginecore6-bin, qt6-translations-l10n, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, shared-mime-info, desktop-file-utils")
include(CPack)
