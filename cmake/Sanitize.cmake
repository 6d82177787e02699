# -DGEARCONSOLE_SANITIZE=ON builds everything (the program, its libraries, the
# tools the build runs, the tests) with AddressSanitizer and
# UndefinedBehaviorSanitizer; scripts/test_sanitized.sh configures
# build-sanitize/ this way. Leaks are reported; the suppression files beside
# this one hold only what belongs to Qt and the system libraries.
option(GEARCONSOLE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(NOT GEARCONSOLE_SANITIZE)
  return()
endif()

set(sanitize_flags -fsanitize=address,undefined -fno-omit-frame-pointer)
add_compile_options(${sanitize_flags})
add_link_options(${sanitize_flags})

# UBSan stays recoverable so that its suppressions apply, and halts at the
# first report it does not suppress: the program or test then fails.
set(supp ${CMAKE_CURRENT_LIST_DIR}/sanitizers)
set(GEARCONSOLE_SANITIZER_ENVIRONMENT
  "ASAN_OPTIONS=check_initialization_order=1:strict_init_order=1:detect_leaks=1"
  "LSAN_OPTIONS=suppressions=${supp}/lsan.supp:print_suppressions=0"
  "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:suppressions=${supp}/ubsan.supp")

# The same options for every sanitized program: the generators the build runs
# (key tables, art), every test CTest runs (and what those tests start), and
# by hand through build-sanitize/sanitizer_environment.sh.
string(JOIN " " launch_environment ${GEARCONSOLE_SANITIZER_ENVIRONMENT})
set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM "${CMAKE_COMMAND} -E env ${launch_environment}")
set(ctest_lines "")
set(shell_lines "")
foreach(assignment IN LISTS GEARCONSOLE_SANITIZER_ENVIRONMENT)
  string(FIND "${assignment}" "=" split)
  string(SUBSTRING "${assignment}" 0 ${split} variable)
  math(EXPR split "${split} + 1")
  string(SUBSTRING "${assignment}" ${split} -1 value)
  string(APPEND ctest_lines "if(NOT DEFINED ENV{${variable}})\n  set(ENV{${variable}} \"${value}\")\nendif()\n")
  string(APPEND shell_lines "export ${variable}=\"\${${variable}:-${value}}\"\n")
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/sanitizer_environment.cmake "${ctest_lines}")
file(WRITE ${CMAKE_BINARY_DIR}/sanitizer_environment.sh "${shell_lines}")
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY
  TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/sanitizer_environment.cmake)
