# Asset drift: the committed pictures and sound must be exactly what
# seastrip-assetgen draws today.
if(TARGET seastrip-assetgen)
  add_test(NAME assets_match_generator
    COMMAND ${CMAKE_COMMAND}
      -DGENERATOR=$<TARGET_FILE:seastrip-assetgen>
      -DCOMMITTED=${PROJECT_SOURCE_DIR}/assets
      -DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/assets-regenerated
      -P ${CMAKE_CURRENT_SOURCE_DIR}/assets/compare_assets.cmake)
endif()
