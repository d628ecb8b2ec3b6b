# Raw mouse input: the entry points over an XInput2 or an evdev backend.
find_package(PkgConfig REQUIRED)
pkg_check_modules(GLIMBO_XINPUT REQUIRED IMPORTED_TARGET GLOBAL x11 xi xtst)

# The event translation has no X dependency; its tests link it alone.
add_library(platform_xinput_translation STATIC ${CMAKE_CURRENT_LIST_DIR}/xinput_event_translation.cpp)
target_include_directories(platform_xinput_translation PUBLIC ${PROJECT_SOURCE_DIR})

# What needs no X server: the event queue, stable device handles, the choice of backend, the
# XInput2 device selection and the evdev backend (kernel headers only).
add_library(platform_raw_input_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/device_registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/evdev_devices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/evdev_event_translation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/evdev_raw_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mouse_backend_choice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/raw_event_queue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xinput_device_selection.cpp)
target_include_directories(platform_raw_input_core PUBLIC ${PROJECT_SOURCE_DIR})

add_library(platform_raw_input STATIC
  ${CMAKE_CURRENT_LIST_DIR}/raw_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xinput_raw_input.cpp)
target_include_directories(platform_raw_input PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(platform_raw_input PUBLIC platform_raw_input_core
  platform_xinput_translation PkgConfig::GLIMBO_XINPUT)
