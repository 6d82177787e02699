# gearctl is driven as a separate process, the way scripts use it.
gearconsole_test(tst_gearctl
  ${CMAKE_CURRENT_LIST_DIR}/tst_gearctl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gearctl_process.cpp ${CMAKE_CURRENT_LIST_DIR}/gearctl_process.h)
add_dependencies(tst_gearctl gearctl)

# The argument conversion alone, against a stand-in object's slots.
gearconsole_test(tst_argument_conversion ${CMAKE_CURRENT_LIST_DIR}/tst_argument_conversion.cpp
  ${PROJECT_SOURCE_DIR}/tools/gearctl/argument_conversion.cpp)
