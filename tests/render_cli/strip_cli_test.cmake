# seastrip's command line where no display can be reached: a mistake is named
# before any display is tried, and the display that could not be opened is
# named by the variable that points at it.
set(no_display env -u DISPLAY -u WAYLAND_DISPLAY -u GDK_BACKEND XDG_RUNTIME_DIR=${WORK})
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(expect status message)
  execute_process(COMMAND ${no_display} ${SEASTRIP} ${ARGN} RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL status OR NOT err STREQUAL "seastrip: ${message}\n")
    message(FATAL_ERROR "seastrip ${ARGN}: status ${rc}, '${err}'; expected ${status}, 'seastrip: ${message}'")
  endif()
endfunction()

expect(2 "unknown argument '--frobnicate' (see seastrip --help)" --frobnicate)
expect(2 "unknown argument 'hello' (see seastrip --help)" --monitor 1 hello)
expect(2 "--monitor takes a monitor number from 0 to 255 or a connector name, not '256' (see seastrip --help)"
       --monitor 256)
expect(1 "cannot open the display (is WAYLAND_DISPLAY set?)" --backend wayland)
expect(1 "cannot open the display (is DISPLAY set?)" --backend x11)
expect(1 "cannot open the display (is DISPLAY or WAYLAND_DISPLAY set?)")
