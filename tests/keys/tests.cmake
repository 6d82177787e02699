# Key tables: the capture's maps, the key-name table and its JS copy, and the
# factory profile written from them.
gearconsole_test(tst_keys_maps ${CMAKE_CURRENT_LIST_DIR}/tst_keys_maps.cpp)
gearconsole_test(tst_keys_names ${CMAKE_CURRENT_LIST_DIR}/tst_keys_names.cpp)
gearconsole_test(tst_profile_defaults ${CMAKE_CURRENT_LIST_DIR}/tst_profile_defaults.cpp)
target_compile_definitions(tst_profile_defaults PRIVATE
  PROFILE_DEFAULTS_TOOL="$<TARGET_FILE:make_profile_defaults>")
add_dependencies(tst_profile_defaults make_profile_defaults)
