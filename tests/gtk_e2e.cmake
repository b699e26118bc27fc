# The desktop program end to end on a real X server (Xvfb, openbox, tint2),
# driven by xdotool and checked against seastrip-render's pictures.
if(TARGET seastrip AND TARGET seastrip-render)
  add_test(NAME gtk_desktop_e2e
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/e2e_gtk/desktop_e2e.sh $<TARGET_FILE:seastrip> $<TARGET_FILE:seastrip-render>)
  set_tests_properties(gtk_desktop_e2e PROPERTIES TIMEOUT 120 LABELS e2e)
endif()
