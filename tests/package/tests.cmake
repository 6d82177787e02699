# The Debian package: built with CPack, unpacked, and its programs run.
add_test(NAME package_install
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/package_test.sh ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
set_tests_properties(package_install PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE)
