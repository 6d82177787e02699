# Macro library files, name lists, gun presets.
target_sources(gearconsole_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/safe_name.cpp ${CMAKE_CURRENT_LIST_DIR}/safe_name.h
  ${CMAKE_CURRENT_LIST_DIR}/macro_library.cpp ${CMAKE_CURRENT_LIST_DIR}/macro_library.h
  ${CMAKE_CURRENT_LIST_DIR}/name_list.cpp ${CMAKE_CURRENT_LIST_DIR}/name_list.h
  ${CMAKE_CURRENT_LIST_DIR}/mouse_macro_keys.cpp ${CMAKE_CURRENT_LIST_DIR}/mouse_macro_keys.h
  ${CMAKE_CURRENT_LIST_DIR}/keyboard_macro_keys.cpp ${CMAKE_CURRENT_LIST_DIR}/keyboard_macro_keys.h
  ${CMAKE_CURRENT_LIST_DIR}/gun_presets.cpp ${CMAKE_CURRENT_LIST_DIR}/gun_presets.h
  ${CMAKE_CURRENT_LIST_DIR}/gun_preset_sending.cpp
)
