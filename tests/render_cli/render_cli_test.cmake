# Runs seastrip-render's modes and checks what they write.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run expect_ok)
  execute_process(COMMAND ${RENDER} ${ARGN} RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_VARIABLE out)
  if(expect_ok AND NOT rc EQUAL 0)
    message(FATAL_ERROR "seastrip-render ${ARGN} failed (${rc}): ${err}")
  endif()
  if(NOT expect_ok AND rc EQUAL 0)
    message(FATAL_ERROR "seastrip-render ${ARGN} should have failed")
  endif()
  set(last_err "${err}" PARENT_SCOPE)
  set(last_out "${out}" PARENT_SCOPE)
endfunction()

run(TRUE --region-table ${WORK}/table.bin)
file(SIZE ${WORK}/table.bin size)
if(NOT size EQUAL 83328)
  message(FATAL_ERROR "region table is ${size} bytes")
endif()

run(TRUE --width 640 --clock 18:00 --run 90 -o ${WORK}/sunset.png)
file(READ ${WORK}/sunset.png head LIMIT 24 HEX)
# PNG signature, then the IHDR's width 640 (0x280) and height 28 (0x1c).
if(NOT head MATCHES "^89504e470d0a1a0a0000000d4948445200000280000000 *1c")
  message(FATAL_ERROR "not a 640 x 28 PNG: ${head}")
endif()

run(TRUE --width 640 --scale 2 -o ${WORK}/double.png)
file(READ ${WORK}/double.png head LIMIT 24 HEX)
if(NOT head MATCHES "^89504e470d0a1a0a0000000d4948445200000500000000 *38")
  message(FATAL_ERROR "--scale 2 did not write a 1280 x 56 PNG: ${head}")
endif()
run(FALSE --scale 9 -o ${WORK}/too_big.png)

run(TRUE --choose sound-off --choose night --run 10 -o ${WORK}/night.png)
if(last_err MATCHES "wave sound played")
  message(FATAL_ERROR "sound was switched off but played: ${last_err}")
endif()
run(TRUE --choose sound-on --run 7 -o ${WORK}/day.png)
if(NOT last_err MATCHES "wave sound played 2 times")
  message(FATAL_ERROR "expected two wave sounds in 7 s: ${last_err}")
endif()

run(TRUE --timelapse ${WORK}/t.gif --from 23:58 --to 00:02 --speed 60 --fps 5 --width 200)
file(READ ${WORK}/t.gif gif LIMIT 6 HEX)
if(NOT gif STREQUAL "474946383961")
  message(FATAL_ERROR "the time-lapse is not a GIF")
endif()
run(TRUE --timelapse ${WORK}/t.webp --from 18:00 --to 18:01 --speed 60 --fps 5 --width 200)
file(READ ${WORK}/t.webp webp LIMIT 12 HEX)
if(NOT webp MATCHES "^52494646........57454250$")
  message(FATAL_ERROR "the time-lapse is not a WebP")
endif()

run(TRUE --help)
if(NOT last_out MATCHES "--timelapse OUT")
  message(FATAL_ERROR "--help does not describe the options")
endif()
run(FALSE --scene 480 -o ${WORK}/x.png)
run(FALSE --clock 7 -o ${WORK}/x.png)
run(FALSE --choose dusk -o ${WORK}/x.png)
run(FALSE)
run(FALSE -o ${WORK}/no/such/folder/x.png)

# A number that is not finite is refused with the option's own message, for
# every number option: nan passes no range check, and converting it to an
# integer is undefined.
foreach(option --width --scale --run --scene --fps --speed --soak)
  foreach(value nan inf -inf)
    run(FALSE ${option} ${value} --timelapse ${WORK}/nan.gif -o ${WORK}/nan.png)
    if(NOT last_err MATCHES "^seastrip-render: ${option}: '${value}' is not a number from")
      message(FATAL_ERROR "${option} ${value}: ${last_err}")
    endif()
  endforeach()
endforeach()
if(EXISTS ${WORK}/nan.gif OR EXISTS ${WORK}/nan.png)
  message(FATAL_ERROR "a refused command line wrote a picture")
endif()

# A frame step shorter than the clock's millisecond would repeat frames; it
# is refused before anything is drawn.
run(FALSE --timelapse ${WORK}/tiny.gif --from 12:00:00 --to 12:00:01 --speed 0.02 --fps 60 --width 64)
if(NOT last_err MATCHES "frame step of 0.333 ms" OR EXISTS ${WORK}/tiny.gif)
  message(FATAL_ERROR "the tiny-step time-lapse was not refused plainly: ${last_err}")
endif()
run(TRUE --timelapse ${WORK}/step.gif --from 12:00:00 --to 12:00:01 --speed 0.06 --fps 60 --width 64)

# A device that takes no bytes: every kind of file fails with one line that
# names it and the reason, and a non-zero status. A WebP is told by its name,
# so it goes through a link.
file(CREATE_LINK /dev/full ${WORK}/full.webp SYMBOLIC)
set(animation --width 64 --from 18:00 --to 18:00:02 --fps 2 --timelapse)
foreach(kind "-o;/dev/full" "--shapes;/dev/full" "--region-table;/dev/full" "${animation};/dev/full"
        "${animation};${WORK}/full.webp")
  run(FALSE ${kind})
  list(GET kind -1 path)
  if(NOT last_err STREQUAL "seastrip-render: cannot write ${path}: No space left on device\n")
    message(FATAL_ERROR "${kind}: '${last_err}'")
  endif()
endforeach()
