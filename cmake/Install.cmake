# What `cmake --install` puts where: the two programs, the desktop menu
# entry, its icon, the AppStream metainfo and a man page for each program.
include(GNUInstallDirs)

set(desktop_id org.tollvane.Tollvane)
set(desktop_dir ${PROJECT_SOURCE_DIR}/assets/desktop)

install(TARGETS tollvane tollvane-radio-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The sound and web remote modules, loaded by the program from
# ../<libdir>/tollvane/.
install(TARGETS tollvane_media tollvane_webserver LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/tollvane)
install(FILES ${desktop_dir}/${desktop_id}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_dir}/tollvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${desktop_id}.svg)

configure_file(${desktop_dir}/${desktop_id}.metainfo.xml
               ${PROJECT_BINARY_DIR}/desktop/${desktop_id}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/desktop/${desktop_id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(page tollvane tollvane-radio-sim)
  configure_file(${PROJECT_SOURCE_DIR}/assets/man/${page}.1 ${PROJECT_BINARY_DIR}/man/${page}.1
                 @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/man/${page}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
