# What `cmake --install` puts where a desktop finds it, and the Debian package built from it
# (scripts/package). The executables look for their data beside themselves first, then in
# ../share/glimwerk-console (src/platform/DataFolders.h).
include(GNUInstallDirs)
set(GW_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/glimwerk-console)
set(GW_DESKTOP_FILES ${PROJECT_SOURCE_DIR}/data/desktop)

install(TARGETS gwconsole gwtool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${GW_COMMAND_HELP} ${PROJECT_BINARY_DIR}/Console_help.htm
        ${PROJECT_BINARY_DIR}/Worksheet.ini DESTINATION ${GW_DATA_DESTINATION})
install(FILES ${GW_SCRIPT_MANUAL} DESTINATION ${GW_DATA_DESTINATION}/ScriptManual)
install(FILES ${GW_DESKTOP_FILES}/glimwerk-console.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${GW_DESKTOP_FILES}/glimwerk-console.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${GW_DESKTOP_FILES}/glimwerk-console-48.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps
        RENAME glimwerk-console.png)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glimwerk-console)
set(CPACK_PACKAGE_VENDOR Ostvane)
set(CPACK_PACKAGE_CONTACT "Ostvane <support@ostvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "operator's console for a luminescence reader")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Drives a TL/OSL luminescence reader over a serial line: live reader state, single "
    "measurements, unattended measurement scripts over whole platters, and the data file. "
    "Includes gwtool, the command-line tool for profiles, scripts and the simulated reader.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The libraries come from dpkg-shlibdeps; Qt's platform plugins (xcb, wayland) are loaded at run
# time, so no library names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme, xdg-utils")
include(CPack)
