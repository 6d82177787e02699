# Compiles the UI's QML documents and scripts at build time (qmlcachegen,
# byte code only), so that the engine neither parses nor compiles them while
# the program starts. The documents themselves stay in the resources at the
# same paths: directory imports list them there, and the engine takes each
# one's compiled unit by its qrc path.
#
# add_qml_cache(<target> <name> FILES <resource path>=<file> ...)
# The compiled units are linked into every program that links <target>.
function(add_qml_cache target name)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "FILES")
  set(cache_dir ${CMAKE_CURRENT_BINARY_DIR}/qml_cache/${name})
  set(units)
  set(resource_paths)
  foreach(entry IN LISTS arg_FILES)
    string(FIND "${entry}" "=" split)
    string(SUBSTRING "${entry}" 0 ${split} resource_path)
    math(EXPR split "${split} + 1")
    string(SUBSTRING "${entry}" ${split} -1 file)
    string(REGEX REPLACE "\\.(qml|js)$" "_\\1.cpp" unit "${cache_dir}${resource_path}")
    # qmlcachegen does not create its output's folder, and only Ninja makes
    # the folders of a custom command's outputs by itself.
    get_filename_component(unit_dir ${unit} DIRECTORY)
    add_custom_command(
      OUTPUT ${unit}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${unit_dir}
      COMMAND Qt6::qmlcachegen --only-bytecode --resource-path ${resource_path} -o ${unit} ${file}
      DEPENDS Qt6::qmlcachegen ${file}
      COMMENT "Compiling ${resource_path}"
      VERBATIM)
    list(APPEND units ${unit})
    list(APPEND resource_paths ${resource_path})
  endforeach()

  # qmlcachegen writes the table of compiled units when the output file's
  # name ends in qmlcache_loader.cpp.
  set(loader ${cache_dir}/${name}_qmlcache_loader.cpp)
  add_custom_command(
    OUTPUT ${loader}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${cache_dir}
    COMMAND Qt6::qmlcachegen --resource-name ${name} -o ${loader} ${resource_paths}
    DEPENDS Qt6::qmlcachegen
    COMMENT "Listing the compiled UI documents"
    VERBATIM)

  add_library(${name} OBJECT ${units} ${loader})
  target_link_libraries(${name} PRIVATE Qt6::Qml)
  # The table registers itself from a static constructor, which an archive
  # would drop: its object files go onto every link line of <target>'s users.
  add_dependencies(${target} ${name})
  target_link_libraries(${target} INTERFACE $<TARGET_OBJECTS:${name}>)
endfunction()
