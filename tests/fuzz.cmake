# Fuzzing: the settings text and file, the stage's region records and the
# picture loader, each fed arbitrary bytes by libFuzzer. The targets need
# clang and its fuzzer runtime, so they are built in a tree of their own
# (build/fuzz) with clang, whatever compiler the main build uses; `make test`
# gives each a short run from the seed corpus in tests/fuzz/corpus.

if(WIN32)
  return()
endif()

find_program(SEASTRIP_FUZZ_CXX NAMES clang++ clang++-14)
if(NOT SEASTRIP_FUZZ_CXX)
  message(STATUS "clang++ not found: the fuzz targets are not built")
  return()
endif()
execute_process(COMMAND ${SEASTRIP_FUZZ_CXX} -print-resource-dir
                OUTPUT_VARIABLE SEASTRIP_FUZZ_RESOURCES OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT EXISTS "${SEASTRIP_FUZZ_RESOURCES}/lib/linux/libclang_rt.fuzzer-${CMAKE_SYSTEM_PROCESSOR}.a")
  message(STATUS "clang's fuzzer runtime not found (libclang-rt-dev): the fuzz targets are not built")
  return()
endif()

include(ExternalProject)
set(SEASTRIP_FUZZ_DIR ${PROJECT_BINARY_DIR}/fuzz)
ExternalProject_Add(seastrip_fuzzers
  SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/fuzz
  BINARY_DIR ${SEASTRIP_FUZZ_DIR}
  CMAKE_ARGS -DCMAKE_CXX_COMPILER=${SEASTRIP_FUZZ_CXX} -DCMAKE_BUILD_TYPE=Release
             -DSTB_INCLUDE_DIR=${STB_INCLUDE_DIR}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD OFF)

# Ten seconds each. New inputs go to a scratch folder, never into the seeds;
# a crash leaves its input in the run folder and fails the test.
foreach(target profile_text profile_file region_record png_decode)
  set(run_dir ${SEASTRIP_FUZZ_DIR}/run-${target})
  file(MAKE_DIRECTORY ${run_dir})
  string(JOIN " " extra ${SEASTRIP_FUZZ_FLAGS_${target}})
  add_test(NAME fuzz_${target}
    COMMAND sh -c "rm -rf scratch && mkdir scratch && exec '${SEASTRIP_FUZZ_DIR}/${target}_fuzz' -seed=1 -max_total_time=10 -timeout=10 -rss_limit_mb=1024 ${extra} -print_final_stats=1 scratch '${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/${target}'"
    WORKING_DIRECTORY ${run_dir})
  set_tests_properties(fuzz_${target} PROPERTIES TIMEOUT 120)
endforeach()
