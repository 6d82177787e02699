# The Debian packages: built with CPack, checked by lintian, unpacked and
# their programs run, then installed into a clean Debian 12 and run there.
add_test(NAME package_install
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/package_test.sh ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
set_tests_properties(package_install PROPERTIES TIMEOUT 1200 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
