# Installation of the X11 saver (packaged by debian/, package "lunabrelle"):
#   bin/lunabrelle, bin/lunabrelle-render, bin/lunabrelle-pak
#   libexec/xscreensaver/lunabrelle                 the same program, for XScreenSaver
#   share/lunabrelle/*.pak                          the resource archives
#   share/xscreensaver/config/lunabrelle.xml        XScreenSaver's description of the hack
#   share/applications/screensavers/lunabrelle.desktop   MATE and Xfce savers
#   share/applications/lunabrelle.desktop           the saver in a window
#   share/man/man6/lunabrelle.6, man1/lunabrelle-render.1, man1/lunabrelle-pak.1
include(GNUInstallDirs)

install(TARGETS lunabrelle RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS lunabrelle-pak RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/tools/pak/lunabrelle-pak.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(TARGET lunabrelle-render)
  install(TARGETS lunabrelle-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/platform/render/data/lunabrelle-render.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
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
install(FILES ${data}/lunabrelle.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
