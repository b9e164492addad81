# Installs Oxbyte as a Linux desktop program under CMAKE_INSTALL_PREFIX (and DESTDIR): the program, its
# menu entry, icons, manual page, metainfo for software centres, and the licences of the program and of
# the Unifont glyphs built into it. `make install` and `make uninstall` drive these rules.
include(GNUInstallDirs)
# One named component, so that the test below can install it alone, with a manifest of its own.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME oxbyte)

install(TARGETS oxbyte RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The menu entry is named after the command rather than the metainfo's id: desktops match a running window
# to its entry by the window's class (X11) or app id (Wayland), which SDL takes from the command's name.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/oxbyte.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/io.github.oxbyte.Oxbyte.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The manual page goes compressed, as man pages are on Debian.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/oxbyte.1.gz
  COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/oxbyte.1 > ${CMAKE_BINARY_DIR}/oxbyte.1.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/oxbyte.1)
add_custom_target(manual_page ALL DEPENDS ${CMAKE_BINARY_DIR}/oxbyte.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/oxbyte.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# resources/draw_pixel_art.py draws one PNG for each size of the hicolor theme.
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/oxbyte-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME oxbyte.png)
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/resources/fonts/UNIFONT-NOTICE
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# `make test` installs into a private folder and checks the tree, then uninstalls it.
if(BUILD_TESTING)
  add_test(NAME Install.EveryFileInPlaceAndUninstalled
           COMMAND packaging/check-installed-tree ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR}
           WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
  set_tests_properties(Install.EveryFileInPlaceAndUninstalled PROPERTIES TIMEOUT 60)
endif()
