# Virtual device models: fed directly with reports, and through VirtualDevice.
gearconsole_test(tst_device_models
  ${CMAKE_CURRENT_LIST_DIR}/tst_device_models.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_feed.cpp ${CMAKE_CURRENT_LIST_DIR}/report_feed.h)
gearconsole_test(tst_virtual_devices
  ${CMAKE_CURRENT_LIST_DIR}/tst_virtual_devices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_feed.cpp ${CMAKE_CURRENT_LIST_DIR}/report_feed.h)
