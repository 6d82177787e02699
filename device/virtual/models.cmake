# Virtual device models, one small class per device kind.
target_sources(gearconsole_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/command_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_table.h
  ${CMAKE_CURRENT_LIST_DIR}/command_device_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_device_model.h
  ${CMAKE_CURRENT_LIST_DIR}/state_json.h
  ${CMAKE_CURRENT_LIST_DIR}/keyboard_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keyboard_model.h
  ${CMAKE_CURRENT_LIST_DIR}/mouse_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mouse_model.h
  ${CMAKE_CURRENT_LIST_DIR}/mousepad_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mousepad_model.h
  ${CMAKE_CURRENT_LIST_DIR}/lighting_accessory_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lighting_accessory_model.h
  ${CMAKE_CURRENT_LIST_DIR}/vendor_report_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vendor_report_model.h
  ${CMAKE_CURRENT_LIST_DIR}/headset_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/headset_model.h
)
