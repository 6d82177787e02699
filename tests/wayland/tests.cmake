# The program under a real Wayland compositor (weston) that the test starts:
# a session without a seat, then one whose seat takes input from xdotool and
# whose private session bus has a StatusNotifier watcher.
find_package(Qt6 REQUIRED COMPONENTS DBus)
add_executable(status_notifier_watcher ${CMAKE_CURRENT_LIST_DIR}/status_notifier_watcher.cpp)
target_link_libraries(status_notifier_watcher PRIVATE Qt6::DBus)
add_test(NAME wayland_session
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/wayland_session_test.sh $<TARGET_FILE:gearconsole>
          $<TARGET_FILE:status_notifier_watcher>)
set_tests_properties(wayland_session PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 240)
