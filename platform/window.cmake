# The window, GL context, messages, clock, cursor and message boxes over SDL2 and X11.
find_package(SDL2 REQUIRED)
find_package(X11 REQUIRED)

# The virtual cursor has no X dependency; its tests link it alone.
add_library(platform_virtual_cursor STATIC ${CMAKE_CURRENT_LIST_DIR}/virtual_cursor.cpp)
target_include_directories(platform_virtual_cursor PUBLIC ${PROJECT_SOURCE_DIR})

add_library(platform STATIC
  ${CMAKE_CURRENT_LIST_DIR}/clock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sdl_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/virtual_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11_key_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11_cursor.cpp)
target_include_directories(platform PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(platform PUBLIC SDL2::SDL2 PRIVATE platform_virtual_cursor X11::X11)

# The pump delivers raw-mouse events from the XInput2 implementation when it is part of the
# tree (raw_input.cmake, included after this file, defines platform_raw_input); otherwise a
# stand-in that never binds and never delivers.
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/raw_input.cmake)
  target_link_libraries(platform PUBLIC platform_raw_input)
else()
  target_sources(platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/raw_input_none.cpp)
endif()
