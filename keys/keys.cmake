# Key tables: the key-name table is written once, in key_names.tsv; the build
# generates the program's C++ table and the UI's JS table from it.
set(key_tables_dir ${CMAKE_CURRENT_BINARY_DIR}/key_tables)
set(key_names_tsv ${CMAKE_CURRENT_LIST_DIR}/key_names.tsv)
set(key_names_cpp ${key_tables_dir}/key_name_table.cpp)
set(key_names_js ${key_tables_dir}/modules/qml/basic/keyCodeTable.js)

add_executable(key_table_gen ${CMAKE_CURRENT_LIST_DIR}/key_table_gen.cpp)
add_custom_command(
  OUTPUT ${key_names_cpp} ${key_names_js}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${key_tables_dir}/modules/qml/basic
  COMMAND key_table_gen ${key_names_tsv} ${key_names_cpp} ${key_names_js}
  DEPENDS key_table_gen ${key_names_tsv}
  COMMENT "Generating the key-name tables from key_names.tsv")

set(key_table_sources
  ${CMAKE_CURRENT_LIST_DIR}/key_names.cpp ${CMAKE_CURRENT_LIST_DIR}/key_names.h
  ${CMAKE_CURRENT_LIST_DIR}/key_matrix.cpp ${CMAKE_CURRENT_LIST_DIR}/key_matrix.h
  ${key_names_cpp})
target_sources(gearconsole_core PRIVATE ${key_table_sources}
  ${CMAKE_CURRENT_LIST_DIR}/key_maps.cpp ${CMAKE_CURRENT_LIST_DIR}/key_maps.h)

# The keyboard pages take the key matrix's names from the program's table.
set(key_matrix_js ${key_tables_dir}/modules/qml/keyboard/keyMatrix.js)
add_executable(key_matrix_js_gen ${CMAKE_CURRENT_LIST_DIR}/key_matrix_js_gen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/key_matrix.cpp ${CMAKE_CURRENT_LIST_DIR}/key_matrix.h)
target_include_directories(key_matrix_js_gen PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(key_matrix_js_gen PRIVATE Qt6::Core)
add_custom_command(
  OUTPUT ${key_matrix_js}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${key_tables_dir}/modules/qml/keyboard
  COMMAND key_matrix_js_gen ${key_matrix_js}
  DEPENDS key_matrix_js_gen
  COMMENT "Generating the keyboard pages' key matrix from key_matrix.cpp")

# The UI imports the tables as qrc:/modules/qml/basic/keyCodeTable.js and
# qrc:/modules/qml/keyboard/keyMatrix.js.
qt_add_resources(gearconsole_core "key_tables" PREFIX "/" BASE ${key_tables_dir}
  FILES ${key_names_js} ${key_matrix_js})

# The factory profile and its copies. "cmake --build <dir> --target
# profile_defaults" rewrites the repository's modules/setting/ from the tables.
add_executable(make_profile_defaults ${CMAKE_CURRENT_LIST_DIR}/make_profile_defaults.cpp ${key_table_sources})
target_include_directories(make_profile_defaults PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(make_profile_defaults PRIVATE Qt6::Core)
add_custom_target(profile_defaults
  COMMAND make_profile_defaults ${CMAKE_CURRENT_SOURCE_DIR}/modules/setting
  COMMENT "Writing modules/setting/pD.bin and p1.bin ... p10.bin")
