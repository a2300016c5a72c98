# Installation of the X11 saver and its Debian package (cpack -G DEB):
#   bin/lunabrelle, bin/lunabrelle-render
#   libexec/xscreensaver/lunabrelle                 the same program, for XScreenSaver
#   share/lunabrelle/*.pak                          the resource archives
#   share/xscreensaver/config/lunabrelle.xml        XScreenSaver's description of the hack
#   share/applications/screensavers/lunabrelle.desktop   MATE and Xfce savers
#   share/applications/lunabrelle.desktop           the saver in a window
#   share/man/man6/lunabrelle.6
include(GNUInstallDirs)

install(TARGETS lunabrelle RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET lunabrelle-render)
  install(TARGETS lunabrelle-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# XScreenSaver runs hacks from its own folder: a relative symbolic link to
# bin/lunabrelle, which finds the archives beside bin through /proc/self/exe.
set(hack_dir ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
file(RELATIVE_PATH hack_link /prefix/${hack_dir} /prefix/${CMAKE_INSTALL_BINDIR}/lunabrelle)
install(CODE "
  set(hack \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${hack_dir}/lunabrelle\")
  get_filename_component(hack_folder \"\${hack}\" DIRECTORY)
  file(MAKE_DIRECTORY \"\${hack_folder}\")
  message(STATUS \"Installing: \${hack} -> ${hack_link}\")
  file(CREATE_LINK \"${hack_link}\" \"\${hack}\" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${hack}\")
")

# The content generator writes the archives into the build tree's resources.
install(DIRECTORY ${CMAKE_BINARY_DIR}/resources/ DESTINATION ${CMAKE_INSTALL_DATADIR}/lunabrelle
        FILES_MATCHING PATTERN "*.pak")

set(data ${CMAKE_CURRENT_SOURCE_DIR}/data)
install(FILES ${data}/lunabrelle.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${data}/lunabrelle-screensaver.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers
        RENAME lunabrelle.desktop)
install(FILES ${data}/lunabrelle.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# Man pages go in compressed, as Debian's own do.
set(man_page ${CMAKE_CURRENT_BINARY_DIR}/man/lunabrelle.6)
add_custom_command(OUTPUT ${man_page}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${data}/lunabrelle.6 ${man_page}
  COMMAND gzip -9nf ${man_page}
  DEPENDS ${data}/lunabrelle.6
  COMMENT "Compressing the man page")
add_custom_target(lunabrelle_man ALL DEPENDS ${man_page}.gz)
install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lunabrelle)
set(CPACK_PACKAGE_VENDOR "Quorvix")
set(CPACK_PACKAGE_CONTACT "Lunabrelle developers <lunabrelle@quorvix.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D screen saver: a turning flower meadow with butterflies")
set(CPACK_PACKAGE_DESCRIPTION "A slowly turning bed of flowers with butterflies resting on it and circling
above it, drawn with OpenGL, with an optional clock, month calendar and
frame-rate display. Runs in a window, on the root window, or as a hack of
XScreenSaver and of the MATE and Xfce screen savers.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver")
set(CPACK_STRIP_FILES ON)
include(CPack)
