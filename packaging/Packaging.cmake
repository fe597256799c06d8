# Installation in the usual Linux layout and the Debian package.
#   cmake --build build --target package   ->  build/orvanta_<version>_amd64.deb
# The programs in bin/, their data (skin, pictures, templates) in
# share/orvanta/, where they look when nothing lies beside them.
include(GNUInstallDirs)

set(ORVANTA_PACKAGE_MAINTAINER "The Orvanta developers <orvanta@example.org>"
  CACHE STRING "Maintainer field of the Debian package")
set(ORVANTA_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(ORVANTA_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
set(ORVANTA_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/orvanta)

foreach(program orvanta orvanta-cli orvanta-sim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/data/Orvanta.ini DESTINATION ${ORVANTA_DATA_INSTALL_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/Image ${CMAKE_SOURCE_DIR}/data/tOrvanta
  DESTINATION ${ORVANTA_DATA_INSTALL_DIR})

# Desktop menu entry, AppStream metainfo and the program's icon.
install(FILES ${ORVANTA_PACKAGING_DIR}/org.orvanta.orvanta.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${ORVANTA_PACKAGING_DIR}/org.orvanta.orvanta.metainfo.xml
  ${ORVANTA_PACKAGING_OUT}/org.orvanta.orvanta.metainfo.xml @ONLY)
install(FILES ${ORVANTA_PACKAGING_OUT}/org.orvanta.orvanta.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${ORVANTA_PACKAGING_DIR}/icons/hicolor/${size}x${size}/orvanta.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${ORVANTA_PACKAGING_DIR}/icons/orvanta.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

install(FILES ${ORVANTA_PACKAGING_DIR}/completion/orvanta-cli
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# Manual pages and the changelog, compressed as Debian wants them (-n: no
# name or time stamp, so the same sources give the same bytes).
set(ORVANTA_GZIPPED)
foreach(page orvanta orvanta-cli orvanta-sim)
  configure_file(${ORVANTA_PACKAGING_DIR}/man/${page}.1.in ${ORVANTA_PACKAGING_OUT}/${page}.1 @ONLY)
  list(APPEND ORVANTA_GZIPPED ${page}.1)
endforeach()
configure_file(${ORVANTA_PACKAGING_DIR}/changelog ${ORVANTA_PACKAGING_OUT}/changelog @ONLY)
list(APPEND ORVANTA_GZIPPED changelog)
set(ORVANTA_GZIP_OUTPUTS)
foreach(file IN LISTS ORVANTA_GZIPPED)
  add_custom_command(OUTPUT ${ORVANTA_PACKAGING_OUT}/${file}.gz
    COMMAND gzip -9nc ${file} > ${file}.gz
    DEPENDS ${ORVANTA_PACKAGING_OUT}/${file}
    WORKING_DIRECTORY ${ORVANTA_PACKAGING_OUT})
  list(APPEND ORVANTA_GZIP_OUTPUTS ${ORVANTA_PACKAGING_OUT}/${file}.gz)
endforeach()
add_custom_target(orvanta_packaging_files ALL DEPENDS ${ORVANTA_GZIP_OUTPUTS})
foreach(page orvanta orvanta-cli orvanta-sim)
  install(FILES ${ORVANTA_PACKAGING_OUT}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install(FILES ${ORVANTA_PACKAGING_OUT}/changelog.gz ${ORVANTA_PACKAGING_DIR}/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvanta)

# ---- the Debian package ----
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanta)
set(CPACK_PACKAGE_VENDOR "The Orvanta developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${ORVANTA_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "set-up wizard for network cameras")
# CPack makes the control file's long description from this text: each
# line indented, an empty line becoming " .".
set(CPACK_PACKAGE_DESCRIPTION "Orvanta finds the network (IP) cameras on every local network this
computer is attached to, a camera still on a foreign subnet included, and
sets up the one you pick: administrator login, DHCP or a fixed address,
Wi-Fi or WPS pairing, a new password. It opens the camera's web page.

The package holds the wizard (orvanta), a command-line tool for scripts
and diagnosis (orvanta-cli, with 'orvanta-cli doctor') and a camera
simulator for trying it out (orvanta-sim).")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ORVANTA_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
