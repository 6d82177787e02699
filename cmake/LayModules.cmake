# Lays the repository's modules/ beside the executable. A file is copied when
# the build has none yet or the repository's copy is newer, so settings that
# the program wrote while running in the build tree are kept.
# Called as: cmake -DSOURCE=<dir> -DDESTINATION=<dir> -P LayModules.cmake
file(GLOB_RECURSE files RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(relative IN LISTS files)
  set(from "${SOURCE}/${relative}")
  set(to "${DESTINATION}/${relative}")
  if(NOT EXISTS "${to}" OR "${from}" IS_NEWER_THAN "${to}")
    get_filename_component(folder "${to}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(COPY_FILE "${from}" "${to}")
  endif()
endforeach()
