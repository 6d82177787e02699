# Qt's Wayland platform: what the program sets up before Qt connects.
pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
target_sources(gearconsole_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/seatless_text_input.cpp ${CMAKE_CURRENT_LIST_DIR}/seatless_text_input.h
)
target_link_libraries(gearconsole_core PUBLIC PkgConfig::WAYLAND_CLIENT)
