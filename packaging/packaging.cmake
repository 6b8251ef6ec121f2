# Installation beside the program (bin/zavevad, installed by src/) and the
# Debian package that `cpack -G DEB` (make package) builds from it.
include(GNUInstallDirs)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/zavevad.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/zavevad.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The user guide that F1 and "Pomoc" open when there is no help file. The
# program reads it, so it lives in share/zavevad rather than share/doc, which
# systems may leave out of packages they install.
install(FILES ${PROJECT_SOURCE_DIR}/docs/guide/pomoc.html
    DESTINATION ${CMAKE_INSTALL_DATADIR}/zavevad)

set(CPACK_PACKAGE_NAME zavevad)
set(CPACK_PACKAGE_VENDOR "Kalmo - Zavevad developers")
set(CPACK_PACKAGE_CONTACT "Kalmo - Zavevad developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Kalmo - Zavevad: analiza wyników testu wyboru")
set(CPACK_PACKAGE_DESCRIPTION
    "Program do analizy wyników testu, moduł wspomagający do programu Kalmo. Wczytuje pliki \
wyników (*.dat) jednego testu i pokazuje tabele wyników, czasu pracy i liczby ocen, \
zapisuje je jako tekst lub HTML i rysuje z nich wykresy.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kalmo - Zavevad developers")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Qt 6 libraries (PrintSupport too) and libxlsxwriter come from the
# binary's own needs (dpkg-shlibdeps); the fonts its texts are drawn with are
# only recommended.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")

include(CPack)
