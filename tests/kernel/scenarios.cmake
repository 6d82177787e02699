# The kernel scenarios: the real hidapi backend against uhid devices, run
# inside the test VM by the kernel_path test (not a test on the host: there
# it skips). The emulated devices reuse the virtual device models and
# burnlet's boot-loader model.
add_executable(kernel_scenarios
  ${CMAKE_CURRENT_LIST_DIR}/tst_kernel_scenarios.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kernel_rig.cpp ${CMAKE_CURRENT_LIST_DIR}/kernel_rig.h
  ${CMAKE_CURRENT_LIST_DIR}/uhid/uhid_device.cpp ${CMAKE_CURRENT_LIST_DIR}/uhid/uhid_device.h
  ${CMAKE_CURRENT_LIST_DIR}/uhid/report_descriptors.cpp ${CMAKE_CURRENT_LIST_DIR}/uhid/report_descriptors.h
  ${CMAKE_CURRENT_LIST_DIR}/uhid/emulated_devices.cpp ${CMAKE_CURRENT_LIST_DIR}/uhid/emulated_devices.h)
set_target_properties(kernel_scenarios PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/kernel)
target_include_directories(kernel_scenarios PRIVATE ${CMAKE_CURRENT_LIST_DIR})
# The boot loader's model only: the simulator's HIDDLL calls would stand in for
# libHIDDLL's, and burnlet must go through the kernel here.
target_link_libraries(kernel_scenarios PRIVATE gearconsole_test_support burnlet_boot_loader_model
  gearconsole_update_core HIDDLL PkgConfig::HIDAPI)
target_compile_definitions(kernel_scenarios PRIVATE BURNLET_FLASH_PATH="$<TARGET_FILE:burnlet-flash>")
add_dependencies(kernel_scenarios burnlet-flash gearconsole-hidraw-usage)
