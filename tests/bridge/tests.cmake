gearconsole_test(tst_stores ${CMAKE_CURRENT_LIST_DIR}/tst_stores.cpp)
gearconsole_test(tst_controls ${CMAKE_CURRENT_LIST_DIR}/tst_controls.cpp)
