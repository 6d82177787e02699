# The installed program: its data folder, the device access helper and rules.
gearconsole_test(tst_data_folder ${CMAKE_CURRENT_LIST_DIR}/tst_data_folder.cpp)

gearconsole_test(tst_hidraw_usage
  ${CMAKE_CURRENT_LIST_DIR}/tst_hidraw_usage.cpp ${CMAKE_CURRENT_LIST_DIR}/hid_descriptors.h)
target_link_libraries(tst_hidraw_usage PRIVATE gearconsole_udev)
add_dependencies(tst_hidraw_usage gearconsole-hidraw-usage)

gearconsole_test(tst_access_rules ${CMAKE_CURRENT_LIST_DIR}/tst_access_rules.cpp)
target_link_libraries(tst_access_rules PRIVATE gearconsole_udev)
add_dependencies(tst_access_rules gearctl udev_rules)
