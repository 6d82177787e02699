# The UI's Qt Quick tests: the shell's logic and the shared controls, loaded
# from the program's resources.
add_executable(tst_ui ui/main.cpp ui/fake_bridge.cpp ui/fake_bridge_pages.cpp ui/fake_bridge.h)
target_link_libraries(tst_ui PRIVATE gearconsole_core Qt6::QuickTest)
target_compile_definitions(tst_ui PRIVATE QUICK_TEST_SOURCE_DIR="${CMAKE_CURRENT_LIST_DIR}")
add_test(NAME tst_ui COMMAND tst_ui)
set_tests_properties(tst_ui PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_BACKEND=software")
