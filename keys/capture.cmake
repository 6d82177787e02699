# The capture unit.
target_sources(gearconsole_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/key_capture.cpp ${CMAKE_CURRENT_LIST_DIR}/key_capture.h
)
