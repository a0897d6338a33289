# What `cmake --install` puts on a system, and the Debian package made from it.
include(GNUInstallDirs)

set(KALVENDO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(KALVENDO_ICON_SVG ${CMAKE_SOURCE_DIR}/resources/pictures/instrument-256.svg)
set(KALVENDO_ICON_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)
add_custom_command(
    OUTPUT ${KALVENDO_ICON_DIR}/256x256/apps/kalvendo.png
    COMMAND kalvendo-iconrender ${KALVENDO_ICON_SVG} ${KALVENDO_ICON_DIR} ${KALVENDO_ICON_SIZES}
    DEPENDS kalvendo-iconrender ${KALVENDO_ICON_SVG}
    COMMENT "Rendering the desktop icon")
add_custom_target(kalvendo_icons ALL DEPENDS ${KALVENDO_ICON_DIR}/256x256/apps/kalvendo.png)

install(TARGETS kalvendo kalvendo-metersim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/resources/install/kalvendo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KALVENDO_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME kalvendo.svg)
foreach(size ${KALVENDO_ICON_SIZES})
    install(FILES ${KALVENDO_ICON_DIR}/${size}x${size}/apps/kalvendo.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
# udev reads its rules from /usr/lib/udev/rules.d, whatever the prefix.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(KALVENDO_UDEV_DIR lib/udev/rules.d)
else()
    set(KALVENDO_UDEV_DIR ${CMAKE_INSTALL_LIBDIR}/udev/rules.d)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/resources/install/70-kalvendo.rules DESTINATION ${KALVENDO_UDEV_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalvendo)
set(CPACK_PACKAGE_VENDOR "Kalvendo")
set(CPACK_PACKAGE_CONTACT "Kalvendo <kalvendo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Data logger for a handheld digital multimeter")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window system's plugins, the German dialogs and the stand-in for Arial are loaded
# at run time, so no library dependency names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, cups")
include(CPack)
