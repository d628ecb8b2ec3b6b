# The three prototype programs, once the frame and the asset loaders are in the tree.
if(TARGET frame AND TARGET assets)
  add_library(editor_program STATIC gl_draw.cpp program_support.cpp)
  target_link_libraries(editor_program PUBLIC frame assets mygame_logic gl_square)

  foreach(prog mygameedit:mygameedit_main.cpp mygame1:hopper_main.cpp mygame2:swinger_main.cpp)
    string(REPLACE ":" ";" parts ${prog})
    list(GET parts 0 name)
    list(GET parts 1 source)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE editor_program mygame_logic)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${GLIMBO_BIN_DIR})
  endforeach()
endif()
