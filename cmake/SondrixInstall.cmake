# Lays Sondrix out as a Linux program: the executable in bin/, everything else under share/.
# The program finds its help file next to itself (the build tree) or in ../share/sondrix/.

set(SONDRIX_HELP_FILE ${CMAKE_SOURCE_DIR}/help/Sx30.html)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/app/Sx30.html
    COMMAND ${CMAKE_COMMAND} -E copy ${SONDRIX_HELP_FILE} ${CMAKE_BINARY_DIR}/app/Sx30.html
    DEPENDS ${SONDRIX_HELP_FILE}
    COMMENT "Placing the help file next to the program")
add_custom_target(sondrix_help ALL DEPENDS ${CMAKE_BINARY_DIR}/app/Sx30.html)
add_dependencies(sondrix sondrix_help)

install(TARGETS sondrix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${SONDRIX_HELP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/sondrix)
install(FILES resources/sondrix.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/sondrix.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES resources/org.example.sondrix.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES resources/sondrix-screenshot.png DESTINATION ${CMAKE_INSTALL_DATADIR}/sondrix)

# The manual page and the package's change log are installed compressed, without a time stamp, as
# Debian's policy asks.
function(sondrix_gzip source output)
    add_custom_command(OUTPUT ${output}
        COMMAND gzip -9nc ${source} > ${output}
        DEPENDS ${source} VERBATIM)
endfunction()
set(SONDRIX_MAN_PAGE ${CMAKE_BINARY_DIR}/resources/sondrix.1.gz)
set(SONDRIX_CHANGELOG ${CMAKE_BINARY_DIR}/resources/changelog.Debian.gz)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/resources)
sondrix_gzip(${CMAKE_SOURCE_DIR}/resources/sondrix.1 ${SONDRIX_MAN_PAGE})
sondrix_gzip(${CMAKE_SOURCE_DIR}/resources/debian/changelog ${SONDRIX_CHANGELOG})
add_custom_target(sondrix_compressed_docs ALL DEPENDS ${SONDRIX_MAN_PAGE} ${SONDRIX_CHANGELOG})
install(FILES ${SONDRIX_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${SONDRIX_CHANGELOG} resources/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/sondrix)

# cpack -G DEB: a Debian package for /usr whose dependencies dpkg-shlibdeps computes.
set(CPACK_PACKAGE_NAME sondrix)
set(CPACK_PACKAGE_VENDOR "Sondrix developers")
set(CPACK_PACKAGE_CONTACT "Sondrix developers <sondrix@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "audition and organise WAV files")
# Lines of the long description stay under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "A single-window tool for auditioning and organising WAV files: click a file\n\
and hear it, loop it, seek in it, gather files into playlists, and copy, move,\n\
rename or delete them.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://sondrix.example.org/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1) # the Debian revision of the change log
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
