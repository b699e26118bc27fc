# The README stays true: its pictures are what seastrip-render draws today,
# and it describes the same options as seastrip-render --help.
if(TARGET seastrip-render)
  add_test(NAME docs_pictures_current
    COMMAND ${CMAKE_COMMAND} -DRENDER=$<TARGET_FILE:seastrip-render> -DSOURCE=${PROJECT_SOURCE_DIR}
            -DWORK=${CMAKE_CURRENT_BINARY_DIR}/docs_pictures -P ${CMAKE_CURRENT_SOURCE_DIR}/docs/pictures_current.cmake)
  add_test(NAME docs_render_options
    COMMAND ${CMAKE_COMMAND} -DRENDER=$<TARGET_FILE:seastrip-render> -DREADME=${PROJECT_SOURCE_DIR}/README.md
            -P ${CMAKE_CURRENT_SOURCE_DIR}/docs/render_options_documented.cmake)
endif()
