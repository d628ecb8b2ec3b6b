# Raw mouse input over XInput2 on a connection of the layer's own.
find_package(PkgConfig REQUIRED)
pkg_check_modules(GLIMBO_XINPUT REQUIRED IMPORTED_TARGET GLOBAL x11 xi xtst)

# The event translation has no X dependency; its tests link it alone.
add_library(platform_xinput_translation STATIC ${CMAKE_CURRENT_LIST_DIR}/xinput_event_translation.cpp)
target_include_directories(platform_xinput_translation PUBLIC ${PROJECT_SOURCE_DIR})

add_library(platform_raw_input STATIC ${CMAKE_CURRENT_LIST_DIR}/xinput_raw_input.cpp)
target_include_directories(platform_raw_input PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(platform_raw_input PUBLIC platform_xinput_translation PkgConfig::GLIMBO_XINPUT)
