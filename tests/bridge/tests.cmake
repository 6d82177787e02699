gearconsole_test(tst_stores ${CMAKE_CURRENT_LIST_DIR}/tst_stores.cpp)
