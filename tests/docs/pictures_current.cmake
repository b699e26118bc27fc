# Renders the README's pictures afresh and fails on any byte that differs
# from the committed ones: a change to the drawing must come with new
# pictures (`make docs`).
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -DRENDER=${RENDER} -DOUT=${WORK} -P ${SOURCE}/docs/pictures.cmake
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "rendering the pictures failed")
endif()

set(stale "")
foreach(name day.png sunset.png night.png sunset.webp)
  if(NOT EXISTS ${SOURCE}/docs/${name})
    list(APPEND stale "docs/${name} (missing)")
    continue()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${name} ${SOURCE}/docs/${name}
                  RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    list(APPEND stale "docs/${name}")
  endif()
endforeach()
if(stale)
  list(JOIN stale ", " stale)
  message(FATAL_ERROR "out of date: ${stale}; `make docs` renders them anew (fresh copies in ${WORK})")
endif()
file(REMOVE_RECURSE ${WORK})
