# End-to-end tests of the Windows build under Wine in a private Xvfb. The
# first test cross-builds seastrip.exe and the tick test with MinGW-w64 into
# ${CMAKE_BINARY_DIR}/win; the others drive the real program with xdotool,
# screenshots and the settings file. A missing tool fails the run rather
# than skipping the tests (`make deps` installs them).
set(SEASTRIP_WIN_DIR ${CMAKE_BINARY_DIR}/win)
set(SEASTRIP_WINE_TOOLS wine wineserver x86_64-w64-mingw32-g++ x86_64-w64-mingw32-windres Xvfb openbox xdotool
    xwininfo import convert compare flock)
set(SEASTRIP_WINE_MISSING)
foreach(tool ${SEASTRIP_WINE_TOOLS})
  string(MAKE_C_IDENTIFIER "SEASTRIP_TOOL_${tool}" var)
  find_program(${var} ${tool})
  if(NOT ${var})
    list(APPEND SEASTRIP_WINE_MISSING ${tool})
  endif()
endforeach()

if(SEASTRIP_WINE_MISSING)
  add_test(NAME wine_tools_present
           COMMAND sh -c "echo 'the Wine tests need: ${SEASTRIP_WINE_MISSING} (make deps)'; exit 1")
  return()
endif()

add_test(NAME wine_cross_build
         COMMAND sh -c "\"$0\" -S \"$1\" -B \"$2\" -DCMAKE_TOOLCHAIN_FILE=\"$1/cmake/mingw-w64.cmake\" -DSEASTRIP_TESTS=OFF -DSEASTRIP_TOOLS=OFF >/dev/null && \"$0\" --build \"$2\" -j2 --target seastrip seastrip-ticktest"
                 ${CMAKE_COMMAND} ${PROJECT_SOURCE_DIR} ${SEASTRIP_WIN_DIR})
set_tests_properties(wine_cross_build PROPERTIES FIXTURES_SETUP seastrip_win TIMEOUT 1200)

set(SEASTRIP_RENDER_FOR_WINE "")
if(TARGET seastrip-render)
  set(SEASTRIP_RENDER_FOR_WINE $<TARGET_FILE:seastrip-render>)
endif()

foreach(case geometry sky waves settings dialog exit objects)
  add_test(NAME wine_${case}
           COMMAND ${CMAKE_COMMAND} -E env
                   SEASTRIP_EXE=${SEASTRIP_WIN_DIR}/seastrip.exe
                   SEASTRIP_TICKTEST=${SEASTRIP_WIN_DIR}/seastrip-ticktest.exe
                   ZEM_WAV=${SEASTRIP_WIN_DIR}/zem.wav
                   SKY_PNG=${PROJECT_SOURCE_DIR}/assets/sky.png
                   SEASTRIP_RENDER=${SEASTRIP_RENDER_FOR_WINE}
                   WINEPREFIX=${SEASTRIP_WIN_DIR}/wineprefix
                   bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e_wine/run_case.sh ${case} ${SEASTRIP_WIN_DIR}/e2e/${case})
  # One Wine session at a time: they share the prefix and its wineserver.
  set_tests_properties(wine_${case} PROPERTIES FIXTURES_REQUIRED seastrip_win RESOURCE_LOCK seastrip_wine
                       TIMEOUT 900)
endforeach()
