# Threads under load: detection, the vendor-report poll and GUI-thread
# commands together against virtual devices that come and go.
gearconsole_test(tst_thread_stress ${CMAKE_CURRENT_LIST_DIR}/tst_thread_stress.cpp)
set_tests_properties(tst_thread_stress PROPERTIES LABELS stress TIMEOUT 180)
