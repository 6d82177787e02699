# The device command set, one file per device family.
target_sources(gearconsole_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/commands_553.cpp
)
