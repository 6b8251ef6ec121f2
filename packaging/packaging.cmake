# Installation beside the program (bin/zavevad, installed by src/) and the
# Debian package that `cpack -G DEB` (make package) builds from it.
include(GNUInstallDirs)

# One icon: the window's own (src/shell/resources/icon.svg) is the menu's too.
install(FILES ${PROJECT_SOURCE_DIR}/src/shell/resources/icon.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME zavevad.svg)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/zavevad.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/zavevad-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME zavevad.xml)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/org.example.zavevad.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The user guide that F1 and "Pomoc" open when there is no help file. The
# program reads it, so it lives in share/zavevad rather than share/doc, which
# systems may leave out of packages they install.
install(FILES ${PROJECT_SOURCE_DIR}/docs/guide/pomoc.html
    DESTINATION ${CMAKE_INSTALL_DATADIR}/zavevad)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/guide/images
    DESTINATION ${CMAKE_INSTALL_DATADIR}/zavevad)
# The sample class the guide and README use.
file(GLOB zavevad_examples ${PROJECT_SOURCE_DIR}/examples/*.dat)
install(FILES ${zavevad_examples} ${PROJECT_SOURCE_DIR}/examples/Progi.txt
    ${PROJECT_SOURCE_DIR}/examples/Kartoteka.txt
    DESTINATION ${CMAKE_INSTALL_DATADIR}/zavevad/examples)

# Debian wants the man page and the changelog compressed, without a time stamp.
set(zavevad_compressed "")
foreach(pair "zavevad.1|zavevad.1.gz" "changelog|changelog.Debian.gz")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 target)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/packaging/${target})
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
        COMMAND gzip -9nc ${CMAKE_CURRENT_LIST_DIR}/${source} > ${output}
        DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${source} VERBATIM)
    list(APPEND zavevad_compressed ${output})
endforeach()
add_custom_target(zavevad_package_docs ALL DEPENDS ${zavevad_compressed})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/zavevad.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.Debian.gz
        ${CMAKE_CURRENT_LIST_DIR}/copyright
    DESTINATION ${CMAKE_INSTALL_DOCDIR})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME zavevad)

set(CPACK_PACKAGE_NAME zavevad)
set(CPACK_PACKAGE_VENDOR "Zavevad developers")
set(CPACK_PACKAGE_CONTACT "Zavevad developers <zavevad@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "analyse the results of a multiple-choice test")
# Lines of the extended description stay under 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Kalmo - Zavevad loads the result files (*.dat) that the test-taking program"
    "Kalmo writes and shows, in Polish, the results of every student with points"
    "and grades, their working times and the number of each grade in the class."
    "The tables can be saved as text or HTML, also from the command line without"
    "a window, and drawn as bar, pie or line charts.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zavevad developers <zavevad@example.org>")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/zavevad")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Qt 6 libraries (PrintSupport too, with the X11 and offscreen plugins in
# libqt6gui6) and libxlsxwriter come from the binary's own needs
# (dpkg-shlibdeps). Without the Polish Qt translations the common dialogs speak
# English, and the texts want a plain sans serif.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core")

include(CPack)
