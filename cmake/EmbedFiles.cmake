# Turns files into C++ byte arrays at build time, so the program needs no
# picture files beside it. seastrip_embed(TARGET_VAR NAME file...) produces a
# source defining `const unsigned char kNAME_<stem>[]` and its size.
function(seastrip_embed out_var)
  set(sources)
  foreach(file ${ARGN})
    get_filename_component(stem ${file} NAME_WE)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded_${stem}.cpp)
    add_custom_command(
      OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${out} -DSYMBOL=${stem}
              -P ${PROJECT_SOURCE_DIR}/cmake/EmbedOne.cmake
      DEPENDS ${file} ${PROJECT_SOURCE_DIR}/cmake/EmbedOne.cmake
      COMMENT "Embedding ${stem}")
    list(APPEND sources ${out})
  endforeach()
  set(${out_var} ${sources} PARENT_SCOPE)
endfunction()
