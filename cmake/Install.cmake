# Where `cmake --install` puts things, and the packages CPack makes of them.
#
# Linux: the program in bin/, the wave sound and an autostart entry in
# share/seastrip/, a menu entry and the icon where desktops look for them, a
# manual page, and the Debian package's own documents. Windows: the program and
# its wave sound side by side, as the program plays the sound from its folder.
include(GNUInstallDirs)

if(NOT WIN32)
  if(TARGET seastrip)
    # An installed program's symbol table is made read-only after loading,
    # as Debian builds its own packages.
    target_link_options(seastrip PRIVATE LINKER:-z,relro LINKER:-z,now)
    install(TARGETS seastrip RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
  install(FILES ${PROJECT_SOURCE_DIR}/assets/zem.wav
                ${PROJECT_SOURCE_DIR}/packaging/seastrip-autostart.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/seastrip)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/seastrip.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/icon.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps RENAME seastrip.png)

  # What software centres show: the description, the licence and the
  # README's pictures, which they fetch from where the project publishes
  # them.
  set(SEASTRIP_WEB_URL "https://seastrip.invalid" CACHE STRING
      "Where the project's pages and the README's pictures (docs/) are published")
  string(TIMESTAMP SEASTRIP_RELEASE_DATE "%Y-%m-%d" UTC)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/seastrip.metainfo.xml.in
                 ${PROJECT_BINARY_DIR}/packaging/seastrip.metainfo.xml @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/seastrip.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # Debian wants the manual page and the changelog compressed, without the
  # gzip time stamp so that two builds give the same package.
  find_program(SEASTRIP_GZIP gzip REQUIRED)
  string(TIMESTAMP SEASTRIP_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  set(seastrip_pkg ${PROJECT_BINARY_DIR}/packaging)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${seastrip_pkg}/changelog @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/seastrip.1 ${seastrip_pkg}/seastrip.1 COPYONLY)
  foreach(doc changelog seastrip.1)
    execute_process(COMMAND ${SEASTRIP_GZIP} -9nc ${seastrip_pkg}/${doc}
                    OUTPUT_FILE ${seastrip_pkg}/${doc}.gz COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
  install(FILES ${seastrip_pkg}/seastrip.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${seastrip_pkg}/changelog.gz ${PROJECT_SOURCE_DIR}/packaging/copyright
          DESTINATION ${CMAKE_INSTALL_DOCDIR})

  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Seastrip developers <dev@seastrip.invalid>")
  set(CPACK_DEBIAN_PACKAGE_SECTION misc)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # dpkg-shlibdeps reads the libraries the program links and writes the
  # Depends line, so the package asks for exactly what it needs.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The menu's captions and the version dialog are Japanese; without a font
  # that has their glyphs they show as boxes. IPA Gothic is small and common.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-vlgothic | fonts-noto-cjk")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_STRIP_FILES ON)
else()
  if(TARGET seastrip)
    install(TARGETS seastrip RUNTIME DESTINATION .)
  endif()
  install(FILES ${PROJECT_SOURCE_DIR}/assets/zem.wav DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME seastrip-windows)

  # The installer, seastrip-VERSION.msi, made with wixl (`make windows-msi`).
  find_program(SEASTRIP_WIXL wixl)
  find_program(SEASTRIP_MSIBUILD msibuild)
  if(TARGET seastrip AND SEASTRIP_WIXL AND SEASTRIP_MSIBUILD)
    set(seastrip_msi ${PROJECT_BINARY_DIR}/seastrip-${PROJECT_VERSION}.msi)
    set(seastrip_msi_sources ${PROJECT_SOURCE_DIR}/packaging/windows/make-msi.sh
        ${PROJECT_SOURCE_DIR}/packaging/windows/seastrip.wxs ${PROJECT_SOURCE_DIR}/assets/zem.wav
        ${PROJECT_SOURCE_DIR}/assets/icon.ico)
    add_custom_command(OUTPUT ${seastrip_msi}
      COMMAND sh ${PROJECT_SOURCE_DIR}/packaging/windows/make-msi.sh ${SEASTRIP_PRODUCT_NAME} ${PROJECT_VERSION}
              $<TARGET_FILE:seastrip> ${PROJECT_SOURCE_DIR}/assets/zem.wav ${PROJECT_SOURCE_DIR}/assets/icon.ico
              ${seastrip_msi}
      DEPENDS seastrip ${seastrip_msi_sources}
      VERBATIM)
    add_custom_target(seastrip-msi DEPENDS ${seastrip_msi})
  elseif(TARGET seastrip)
    add_custom_target(seastrip-msi
      COMMAND ${CMAKE_COMMAND} -E echo "The installer needs wixl and msibuild: apt-get install wixl msitools"
      COMMAND ${CMAKE_COMMAND} -E false)
  endif()
endif()

set(CPACK_PACKAGE_NAME seastrip)
set(CPACK_PACKAGE_VENDOR "Seastrip developers")
set(CPACK_PACKAGE_CONTACT "Seastrip developers <dev@seastrip.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tiny seaside strip along the bottom of the screen")
set(CPACK_PACKAGE_DESCRIPTION
  "Seastrip is a borderless strip, 28 pixels high and as wide as the screen, that
sits just above the panel. Its sky, sea and beach follow the time of day: a
sunset from 18:00, stars and shooting stars at night, a dawn from 05:00,
drifting clouds, a palm, a walker on the beach by day, and a wave every 6.6
seconds with an optional wave sound. Right-click the strip for its menu.")
include(CPack)
