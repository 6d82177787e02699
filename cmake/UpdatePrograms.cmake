# The firmware update program in the installed updater folder: the program once, and a
# link to it under each name of the updater table (without ".exe"), which the main
# window starts and from which the program knows its edition. It finds the shipped
# device table relative to that folder.
file(RELATIVE_PATH data_from_update /${gearconsole_update_dir} /${gearconsole_data_dir})
target_compile_definitions(gearconsole_update_core PRIVATE GEARCONSOLE_DATA_FROM_UPDATE="${data_from_update}")

install(TARGETS gearconsole-update RUNTIME DESTINATION ${gearconsole_update_dir})
set(update_links ${PROJECT_BINARY_DIR}/packaging/update)
file(MAKE_DIRECTORY ${update_links})
foreach(name IN LISTS GEARCONSOLE_UPDATE_PROGRAMS)
  file(CREATE_LINK gearconsole-update ${update_links}/${name} SYMBOLIC)
  install(FILES ${update_links}/${name} DESTINATION ${gearconsole_update_dir})
endforeach()
