# What `cmake --install` puts where: the programs in bin, the help collection
# in share/quilmark, and the desktop's view of the editor (menu entry, icon,
# AppStream metadata).
set(QUILMARK_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/quilmark)

install(TARGETS quilmark-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(QUILMARK_BUILD_GUI)
  install(TARGETS quilmark RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

  if(QUILMARK_HELP_COLLECTION)
    get_filename_component(help_dir ${QUILMARK_HELP_COLLECTION} DIRECTORY)
    # The collection names its documentation relative to itself.
    install(FILES ${QUILMARK_HELP_COLLECTION} ${help_dir}/quilmark.qch
      DESTINATION ${QUILMARK_INSTALL_DATADIR})
  endif()

  install(FILES ${PROJECT_SOURCE_DIR}/data/quilmark.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/data/org.quil.quilmark.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${QUILMARK_ICON_SOURCE}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size ${QUILMARK_ICON_SIZES})
    install(FILES ${QUILMARK_ICON_THEME_DIR}/${size}x${size}/apps/quilmark.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()
