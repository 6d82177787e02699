gearconsole_test(tst_capture_procedures ${CMAKE_CURRENT_LIST_DIR}/tst_capture_procedures.cpp)
gearconsole_test(tst_capture_x11 ${CMAKE_CURRENT_LIST_DIR}/tst_capture_x11.cpp)
add_dependencies(tst_capture_x11 gearconsole)
gearconsole_test(tst_capture_window ${CMAKE_CURRENT_LIST_DIR}/tst_capture_window.cpp)
