# The keyboard pages end to end: the real window with a virtual keyboard,
# driven by clicks on items found by objectName. One executable per file.
file(GLOB page_tests CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/tst_*.cpp)
foreach(test_source IN LISTS page_tests)
  get_filename_component(test_name ${test_source} NAME_WE)
  gearconsole_test(${test_name} pages/${test_source} pages/page_rig.cpp pages/page_rig.h)
endforeach()
