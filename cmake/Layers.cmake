# The layers of src/ and which of them each layer's files may include: the
# one statement of the rule. The build gives each layer's library a view of
# the source tree that holds only those layers, so that an include against
# the rule fails to compile, and the layering test reads every include in
# src/ against the same table.
#
# seastrip_layer(NAME BELOW...): a folder of src/ and the layers right below
# it. Its files may include its own headers, those layers' and whatever
# those may include in turn.
set(SEASTRIP_LAYERS "")
macro(seastrip_layer name)
  list(APPEND SEASTRIP_LAYERS ${name})
  set(SEASTRIP_BELOW_${name} ${ARGN})
endmacro()

seastrip_layer(platform)
seastrip_layer(state platform)
seastrip_layer(stage platform)
seastrip_layer(pictures platform)
seastrip_layer(regions state)
seastrip_layer(scene regions)
seastrip_layer(animation regions)
seastrip_layer(shell scene animation pictures)
seastrip_layer(front/common stage)
seastrip_layer(front/headless front/common shell)
seastrip_layer(front/gtk front/common shell)
seastrip_layer(front/win32 front/common shell)

# The layers a layer's files may include, itself first.
function(seastrip_layer_reach layer out_var)
  set(reach ${layer})
  set(todo ${SEASTRIP_BELOW_${layer}})
  while(todo)
    list(POP_FRONT todo next)
    if(NOT next IN_LIST reach)
      list(APPEND reach ${next})
      list(APPEND todo ${SEASTRIP_BELOW_${next}})
    endif()
  endwhile()
  set(${out_var} ${reach} PARENT_SCOPE)
endfunction()

# Compiles a target of a layer against a folder of links to the layers it
# may include, in place of src/ itself. Where the system makes no symbolic
# links (Windows without the right to), the target keeps src/ and only the
# layering test holds the rule.
function(seastrip_layer_view target layer)
  seastrip_layer_reach(${layer} reach)
  string(REPLACE "/" "_" name ${layer})
  string(MD5 key "${reach}")
  string(SUBSTRING ${key} 0 8 key)
  set(view ${PROJECT_BINARY_DIR}/layers/${name}-${key})
  foreach(part ${reach})
    set(link ${view}/${part})
    if(NOT IS_SYMLINK ${link})
      get_filename_component(parent ${link} DIRECTORY)
      file(MAKE_DIRECTORY ${parent})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${part} ${link} RESULT failed SYMBOLIC)
      if(failed)
        return()
      endif()
    endif()
  endforeach()
  set_property(TARGET ${target} PROPERTY SEASTRIP_LAYER ${layer})
  target_include_directories(${target} PRIVATE ${view})
endfunction()
