# make deb: a Debian package of what `make install` installs (CPack's DEB generator), plus the files a
# Debian package carries: its copyright in Debian's format and its changelog (changelog.gz: the package
# is Debian-native, built from these sources with no Debian revision). Its version is the one in
# resources/oxbyte.rc; its dependencies are what dpkg-shlibdeps finds in the program, and SDL2, which the
# program opens only when it starts, so that no linker sees it.
file(STRINGS ${PROJECT_SOURCE_DIR}/resources/oxbyte.rc product_version REGEX "^PRODUCTVERSION")
string(REGEX MATCHALL "[0-9]+" version_parts "${product_version}")
list(JOIN version_parts "." OXBYTE_VERSION)
set(OXBYTE_MAINTAINER "The Oxbyte developers <developers@oxbyte.invalid>" CACHE STRING
    "The Debian package's maintainer, \"Name <address>\"")

string(TIMESTAMP OXBYTE_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND gzip -9 -n -c ${CMAKE_BINARY_DIR}/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
  DEPENDS ${CMAKE_BINARY_DIR}/changelog)
add_custom_target(debian_changelog DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian-copyright DESTINATION ${CMAKE_INSTALL_DOCDIR}
        RENAME copyright COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR}
        COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME oxbyte)
set(CPACK_PACKAGE_VERSION ${OXBYTE_VERSION})
set(CPACK_PACKAGE_CONTACT "${OXBYTE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL oxbyte debian)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_PACKAGE_NAME oxbyte)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-2.0-0")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small, fast hexadecimal editor for the desktop")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Oxbyte opens one file in a desktop window and shows it as rows of 16 bytes:
the offset, the bytes in hexadecimal and the same bytes as characters. Bytes
are overwritten in place, in either pane; the file never grows or shrinks.
It finds text or bytes, goes to an offset, undoes all changes and saves the
whole file back over itself. Its menus and messages are in Chinese.")
include(CPack)
