# The kernel path: the scenarios of tests/kernel/scenarios.cmake run inside a
# small VM (run_in_vm.sh) against devices the kernel's own HID stack presents
# through uhid. Label "kernel"; skipped only where qemu cannot start.
include(${CMAKE_CURRENT_LIST_DIR}/scenarios.cmake OPTIONAL)
if(TARGET kernel_scenarios)
  # The VM installs the build's device access rule and its helper.
  add_dependencies(kernel_scenarios udev_rules gearconsole-hidraw-usage)
  add_test(NAME kernel_path
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/run_in_vm.sh --build ${PROJECT_BINARY_DIR}
            -- $<TARGET_FILE:kernel_scenarios>)
  set_tests_properties(kernel_path PROPERTIES
    LABELS kernel SKIP_RETURN_CODE 77 TIMEOUT 600 RUN_SERIAL TRUE)
endif()
