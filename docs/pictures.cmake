# Renders the README's pictures with seastrip-render: the one list of how
# each picture is made, used by `make docs` and by the drift test.
#   cmake -DRENDER=build/seastrip-render -DOUT=docs -P docs/pictures.cmake
if(NOT RENDER OR NOT OUT)
  message(FATAL_ERROR "usage: cmake -DRENDER=PATH/seastrip-render -DOUT=FOLDER -P pictures.cmake")
endif()
file(MAKE_DIRECTORY ${OUT})

# Three times life size, every pixel a 3 x 3 block, so that the 28-pixel
# strip reads on a web page.
set(pictures
  "day.png: --width 800 --run 3 --scale 3"
  "sunset.png: --width 800 --clock 18:00 --run 100 --scale 3"
  "night.png: --width 800 --clock 22:00 --run 3 --scale 3")
foreach(entry IN LISTS pictures)
  string(REGEX REPLACE ":.*" "" name "${entry}")
  string(REGEX REPLACE "^[^:]*: " "" options "${entry}")
  separate_arguments(options UNIX_COMMAND "${options}")
  execute_process(COMMAND ${RENDER} ${options} -o ${OUT}/${name}
                  RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "rendering ${name} failed: ${err}")
  endif()
endforeach()

# The first five minutes of the sunset, ten times faster than life, as an
# animated WebP (a fifth of a GIF's size at this scale).
execute_process(COMMAND ${RENDER} --timelapse ${OUT}/sunset.webp --width 800 --scale 3
                RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "rendering sunset.webp failed: ${err}")
endif()
