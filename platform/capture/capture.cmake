# Capture sources: XInput2 on X11, the application's own windows elsewhere.
pkg_check_modules(XI REQUIRED IMPORTED_TARGET x11 xi xtst)
target_sources(gearconsole_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/capture_sink.h ${CMAKE_CURRENT_LIST_DIR}/capture_source.h
  ${CMAKE_CURRENT_LIST_DIR}/evdev_scancodes.cpp ${CMAKE_CURRENT_LIST_DIR}/evdev_scancodes.h
  ${CMAKE_CURRENT_LIST_DIR}/key_translation.cpp ${CMAKE_CURRENT_LIST_DIR}/key_translation.h
  ${CMAKE_CURRENT_LIST_DIR}/x11_capture_source.cpp ${CMAKE_CURRENT_LIST_DIR}/x11_capture_source.h
  ${CMAKE_CURRENT_LIST_DIR}/window_capture_source.cpp ${CMAKE_CURRENT_LIST_DIR}/window_capture_source.h
)
target_link_libraries(gearconsole_core PUBLIC PkgConfig::XI)
