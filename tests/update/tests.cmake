# The firmware update window offscreen, against the simulated boot loader: the test
# exports the simulator's HIDDLL calls, so libburnlet and the update engine bind to them.
add_executable(tst_update_window ${CMAKE_CURRENT_LIST_DIR}/tst_update_window.cpp)
target_link_libraries(tst_update_window PRIVATE burnlet_simulator gearconsole_update_core Qt6::Test)
target_include_directories(tst_update_window PRIVATE ${PROJECT_SOURCE_DIR}/burnlet/tests)
set_target_properties(tst_update_window PROPERTIES ENABLE_EXPORTS ON)
target_compile_definitions(tst_update_window PRIVATE UPDATE_PROGRAM_FOLDER="${PROJECT_BINARY_DIR}/update")
add_dependencies(tst_update_window gearconsole-update)
add_test(NAME tst_update_window COMMAND tst_update_window)
set_tests_properties(tst_update_window PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;BURNLET_UPDATE_LOCK=${CMAKE_CURRENT_BINARY_DIR}/tst_update_window.lock")
