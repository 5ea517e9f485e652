# What the Debian package installs, and the package itself (cmake --build build --target package).
# The programs go to /usr/bin, the launcher and icon to the desktop's folders, the help to
# /usr/share/velmor/help (where the program looks for it, share/velmor/help beside its bin
# folder), the design notes to the doc folder.
include(GNUInstallDirs)
set(VELMOR_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/velmor)

install(TARGETS velmor vxbase RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Man pages carry the version and are installed compressed, as Debian keeps them.
foreach(page velmor vxbase)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/man/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1 @ONLY)
  file(ARCHIVE_CREATE OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.1.gz
       PATHS ${CMAKE_BINARY_DIR}/man/${page}.1 FORMAT raw COMPRESSION GZip)
  install(FILES ${CMAKE_BINARY_DIR}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/packaging/velmor.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/velmor.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/velmor/help)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${VELMOR_DOC_DIR})
# The copyright file and the compressed changelog every Debian package carries.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright DESTINATION ${VELMOR_DOC_DIR})
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/changelog
               ${CMAKE_BINARY_DIR}/debian/changelog.Debian @ONLY)
file(ARCHIVE_CREATE OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz
     PATHS ${CMAKE_BINARY_DIR}/debian/changelog.Debian FORMAT raw COMPRESSION GZip)
install(FILES ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz DESTINATION ${VELMOR_DOC_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${VELMOR_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmor)
set(CPACK_PACKAGE_VENDOR "Velmor developers")
set(CPACK_PACKAGE_CONTACT "Velmor developers <velmor@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "labour-performance reporting for distribution centres")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Master-table editors, associate reports and system maintenance for a labour-performance\n"
       "system: activities, standards, associates, work centers, imports, exports and backups\n"
       "over xBase tables in a shared data folder.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded when first used (a transfer, an archive, a workbook) rather than linked, so the library
# scan cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4, libzip4, libxlsxwriter4")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)
