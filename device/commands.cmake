# The device command set: the senders, then one file per device family.
target_sources(gearconsole_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/command_rows.h
  ${CMAKE_CURRENT_LIST_DIR}/command_runner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands_553.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands_560.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands_arm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands_576.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands_keyboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands_lighting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands_headset.cpp
)
