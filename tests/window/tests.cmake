# The real window on a real X server the test starts itself: dialogs parented
# to the view, and the keyboard focus across window switches.
gearconsole_test(tst_window_x11 ${CMAKE_CURRENT_LIST_DIR}/tst_window_x11.cpp pages/page_rig.cpp pages/page_rig.h)
target_include_directories(tst_window_x11 PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
