# The program under a real Wayland compositor (weston) that the test starts:
# a session without a seat, then one whose seat takes input from xdotool.
add_test(NAME wayland_session
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/wayland_session_test.sh $<TARGET_FILE:gearconsole>)
set_tests_properties(wayland_session PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 240)
