# The level editor program, once the frame and the asset loaders are in the tree.
if(TARGET frame AND TARGET assets)
  add_executable(leveledit leveledit_main.cpp)
  target_link_libraries(leveledit PRIVATE leveledit_logic editor_program)
  set_target_properties(leveledit PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${GLIMBO_BIN_DIR})
endif()
