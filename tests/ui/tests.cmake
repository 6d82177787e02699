# The UI's Qt Quick tests: the shell's logic and the shared controls, loaded
# from the program's resources.
add_executable(tst_ui ui/main.cpp ui/fake_bridge.cpp ui/fake_bridge_pages.cpp ui/fake_bridge.h)
target_link_libraries(tst_ui PRIVATE gearconsole_core Qt6::QuickTest)
target_compile_definitions(tst_ui PRIVATE QUICK_TEST_SOURCE_DIR="${CMAKE_CURRENT_LIST_DIR}")
add_test(NAME tst_ui COMMAND tst_ui)
set_tests_properties(tst_ui PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_BACKEND=software")
# The whole window background as painted, which the window shows from parts.
set(ui_test_art ${CMAKE_CURRENT_BINARY_DIR}/ui_art)
add_custom_command(OUTPUT ${ui_test_art}/tests/windowBackground.png
  COMMAND gearconsole_art ${ui_test_art} tests/windowBackground.png
  DEPENDS gearconsole_art
  COMMENT "Drawing the whole window background for the UI tests")
qt_add_resources(tst_ui "ui_art" PREFIX "/" BASE ${ui_test_art}
  FILES ${ui_test_art}/tests/windowBackground.png)
