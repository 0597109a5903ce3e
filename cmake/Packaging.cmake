# Installation beyond the programs themselves (desktop entry, icon) and the Debian package:
#   cmake --build build && (cd build && cpack -G DEB)
include(GNUInstallDirs)
install(FILES ${PROJECT_SOURCE_DIR}/dist/zentrix.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/app/ui/icons/zentrix.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME zentrix)
set(CPACK_PACKAGE_VENDOR "Zentrix")
set(CPACK_PACKAGE_CONTACT "Zentrix developers <zentrix@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Shot log and remote control for the RV5 ballistic chronograph")
set(CPACK_PACKAGE_DESCRIPTION "Zentrix records every shot of an RV5 chronograph live into a rich-text log, \
drives the chronograph from the PC, downloads and manages the shots in its memory and exports them.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps finds the linked libraries; Qt's SVG icon engine and X11 platform plugin are
# loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, libqt6gui6")
include(CPack)
