# Language strings: sections of ./modules/i18n/<code>.ini for the UI.
target_sources(gearconsole_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/language_file.cpp ${CMAKE_CURRENT_LIST_DIR}/language_file.h)
