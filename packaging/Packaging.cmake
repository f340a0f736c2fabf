# Desktop integration and the Debian package: `cmake --install` puts the two
# programs, the guide, the manual, a .desktop entry, the icon and the MIME type
# of job files (*.clv, application/x-clivora-job) in place, so a job opens from
# the file manager; `cpack -G DEB` packs the same tree.
include(GNUInstallDirs)

if(TARGET clivora-cli)
    install(TARGETS clivora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET clivora)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/clivora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/clivora.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/clivora-mime.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME clivora.xml)
endif()

set(CPACK_PACKAGE_NAME "clivora")
set(CPACK_PACKAGE_VENDOR "Dalk")
set(CPACK_PACKAGE_CONTACT "Dalk <support@dalk.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Slope stability analysis and reinforced slope design")
set(CPACK_PACKAGE_DESCRIPTION
    "Dalk Clivora checks the stability of soil slopes and designs geogrid-reinforced slopes by the method of slices: slip circle search, defined slip surfaces and two-part wedges, with a report of input and results.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, xdg-utils")
include(CPack)
