# `cmake --install BUILD --prefix PREFIX`: the six programs and the sync script in
# PREFIX/libexec/glimbo, the launcher PREFIX/bin/glimbo-launch, the content in
# PREFIX/share/glimbo/content, and menu entries with icons under PREFIX/share, as the
# freedesktop menu and icon theme conventions place them. Targets are named, not folders.
include(GNUInstallDirs)

set(glimbo_programs_dir ${CMAKE_INSTALL_LIBEXECDIR}/glimbo)
foreach(program glimbo ropegame leveledit mygame1 mygameedit mygame2)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${glimbo_programs_dir})
  endif()
endforeach()
install(PROGRAMS ${PROJECT_SOURCE_DIR}/tools/sync_player_folder.sh
  DESTINATION ${glimbo_programs_dir})

configure_file(${PROJECT_SOURCE_DIR}/tools/glimbo-launch.in ${CMAKE_BINARY_DIR}/glimbo-launch
  @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/glimbo-launch DESTINATION ${CMAKE_INSTALL_BINDIR})

# The content and icon folders hold hidden build stamps; those stay behind.
install(DIRECTORY ${CMAKE_BINARY_DIR}/content/ DESTINATION ${CMAKE_INSTALL_DATADIR}/glimbo/content
  REGEX "/\\.[^/]*$" EXCLUDE)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor
  REGEX "/\\.[^/]*$" EXCLUDE)

# The menu entries start the launcher by its full path, known only once the install prefix
# is: each template's %LAUNCHER% becomes that path, quoted as the Exec key wants it.
set(glimbo_entries glimbo glimbo-ropegame glimbo-leveledit)
foreach(entry ${glimbo_entries})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${entry}.desktop.in
    ${CMAKE_BINARY_DIR}/desktop/${entry}.desktop.in COPYONLY)
endforeach()
install(CODE "set(glimbo_entries \"${glimbo_entries}\")
  set(glimbo_desktop_dir \"${CMAKE_BINARY_DIR}/desktop\")
  set(glimbo_datadir \"${CMAKE_INSTALL_DATADIR}\")
  set(glimbo_launcher \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/glimbo-launch\")")
install(CODE [[
  set(exec "${glimbo_launcher}")
  foreach(special "\\" "\"" "`" "$")
    string(REPLACE "${special}" "\\${special}" exec "${exec}")
  endforeach()
  string(REPLACE "\\" "\\\\" exec "${exec}") # the key's own escape of a backslash
  string(REPLACE "%" "%%" exec "${exec}")
  foreach(entry ${glimbo_entries})
    file(READ "${glimbo_desktop_dir}/${entry}.desktop.in" text)
    string(REPLACE "%LAUNCHER%" "\"${exec}\"" text "${text}")
    file(WRITE "${glimbo_desktop_dir}/${entry}.desktop" "${text}")
    file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${glimbo_datadir}/applications"
      TYPE FILE FILES "${glimbo_desktop_dir}/${entry}.desktop")
  endforeach()
]])
