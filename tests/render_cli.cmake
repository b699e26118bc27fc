# seastrip-render as a user runs it: its outputs exist, have the right size,
# and its mistakes are reported plainly.
add_test(NAME render_cli
  COMMAND ${CMAKE_COMMAND} -DRENDER=$<TARGET_FILE:seastrip-render> -DWORK=${CMAKE_CURRENT_BINARY_DIR}/render_cli
          -P ${CMAKE_CURRENT_SOURCE_DIR}/render/render_cli_test.cmake)
