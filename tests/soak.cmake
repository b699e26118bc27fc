# Staying power: a day of simulated running under the address, undefined-
# behaviour and leak sanitizers, plus the hostile-environment cases, which
# share the soak's invariant checker.

# The checker is compiled into the unit tests as well.
target_sources(seastrip_tests PRIVATE ${PROJECT_SOURCE_DIR}/tools/render/invariants.cpp)
target_include_directories(seastrip_tests PRIVATE ${PROJECT_SOURCE_DIR}/tools/render)

if(NOT TARGET seastrip-render OR MSVC)
  return()
endif()

# The whole program and the tool's soak built again with the sanitizers, so
# that every line the soak runs is instrumented, not just the tool's. The
# picture writers stay out: the soak writes no pictures.
file(GLOB SEASTRIP_SOAK_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/regions/*.cpp
  ${PROJECT_SOURCE_DIR}/src/shell/*.cpp
  ${PROJECT_SOURCE_DIR}/src/scene/*.cpp
  ${PROJECT_SOURCE_DIR}/src/animation/*.cpp
  ${PROJECT_SOURCE_DIR}/src/pictures/*.cpp
  ${PROJECT_SOURCE_DIR}/src/profile/*.cpp
  ${PROJECT_SOURCE_DIR}/src/stage/*.cpp)
foreach(part soak invariants headless_run render_options)
  list(APPEND SEASTRIP_SOAK_SOURCES ${PROJECT_SOURCE_DIR}/tools/render/${part}.cpp)
endforeach()
file(GLOB SEASTRIP_SOAK_PICTURES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/*.png)
seastrip_embed(SEASTRIP_SOAK_EMBEDDED ${SEASTRIP_SOAK_PICTURES})

add_executable(seastrip-render-asan soak/soak_main.cpp ${SEASTRIP_SOAK_SOURCES} ${SEASTRIP_SOAK_EMBEDDED})
target_include_directories(seastrip-render-asan PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tools/render)
target_include_directories(seastrip-render-asan SYSTEM PRIVATE ${STB_INCLUDE_DIR})
target_link_libraries(seastrip-render-asan PRIVATE seastrip_warnings)
set(SEASTRIP_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
target_compile_options(seastrip-render-asan PRIVATE ${SEASTRIP_SANITIZE} -O1 -g)
target_link_options(seastrip-render-asan PRIVATE ${SEASTRIP_SANITIZE})
set_target_properties(seastrip-render-asan PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})

# The exit status decides: a broken invariant, a sanitizer report or a leak
# found at exit each make it non-zero.
set(SEASTRIP_SANITIZER_ENV
  "ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:quarantine_size_mb=64"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

# A day from noon at a common width, under every sanitizer.
add_test(NAME soak_24h_sanitized COMMAND seastrip-render-asan --soak 24 --width 1920 --clock 12:00)
set_tests_properties(soak_24h_sanitized PROPERTIES
  ENVIRONMENT "${SEASTRIP_SANITIZER_ENV}"
  FAIL_REGULAR_EXPRESSION "Sanitizer|runtime error"
  TIMEOUT 900)

# The extremes of width, starting just before a sunset and a dawn.
add_test(NAME soak_narrow_screen COMMAND seastrip-render-asan --soak 2 --width 320 --clock 17:30)
add_test(NAME soak_wide_screen COMMAND seastrip-render-asan --soak 2 --width 7680 --clock 04:30)
set_tests_properties(soak_narrow_screen soak_wide_screen PROPERTIES
  ENVIRONMENT "${SEASTRIP_SANITIZER_ENV}"
  FAIL_REGULAR_EXPRESSION "Sanitizer|runtime error"
  TIMEOUT 600)
