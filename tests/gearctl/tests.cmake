# gearctl is driven as a separate process, the way scripts use it.
gearconsole_test(tst_gearctl
  ${CMAKE_CURRENT_LIST_DIR}/tst_gearctl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gearctl_process.cpp ${CMAKE_CURRENT_LIST_DIR}/gearctl_process.h)
add_dependencies(tst_gearctl gearctl)
