# The program's icon: one drawing, rendered by the build at the sizes of the
# hicolor icon theme. The window carries the renderings in its resources; the
# install puts them into the theme.
set(QUILMARK_ICON_SOURCE ${PROJECT_SOURCE_DIR}/data/icons/quilmark.svg)
set(QUILMARK_ICON_SIZES 16 22 24 32 48 64 128 256)
set(QUILMARK_ICON_THEME_DIR ${PROJECT_BINARY_DIR}/icons/hicolor)

# Renders the icon and embeds it in `target` under ":/quilmark/icons". Called
# from the folder that defines `target`, so that the target's build runs the
# rendering.
function(quilmark_add_window_icon target)
  find_program(QUILMARK_RSVG_CONVERT rsvg-convert REQUIRED)
  set(pictures)
  foreach(size ${QUILMARK_ICON_SIZES})
    set(folder ${QUILMARK_ICON_THEME_DIR}/${size}x${size}/apps)
    add_custom_command(OUTPUT ${folder}/quilmark.png
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${QUILMARK_RSVG_CONVERT} --width ${size} --height ${size}
        --output ${folder}/quilmark.png ${QUILMARK_ICON_SOURCE}
      DEPENDS ${QUILMARK_ICON_SOURCE}
      COMMENT "Rendering the ${size}x${size} icon"
      VERBATIM)
    list(APPEND pictures ${folder}/quilmark.png)
  endforeach()
  qt_add_resources(${target} quilmark_icon PREFIX /quilmark/icons
    BASE ${QUILMARK_ICON_THEME_DIR} FILES ${pictures})
endfunction()
