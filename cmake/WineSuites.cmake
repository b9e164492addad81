# Run by CTest before it runs the tests (see oxbyte_wine_tests in Windows.cmake): asks a test executable
# for its cases and adds one test per suite. A listing that fails becomes a failing test of its own.
execute_process(COMMAND "${runner}" "${executable}" --gtest_list_tests OUTPUT_VARIABLE listed
  RESULT_VARIABLE status TIMEOUT 120)
if(NOT status EQUAL 0)
  add_test(${name}.list "${runner}" "${executable}" --gtest_list_tests)
  return()
endif()
string(REGEX MATCHALL "(^|\n)[A-Za-z0-9_]+\\." suites "${listed}")
foreach(suite ${suites})
  string(STRIP "${suite}" suite)
  add_test(${name}.${suite}* "${runner}" "${executable}" --gtest_filter=${suite}*)
  set_tests_properties(${name}.${suite}* PROPERTIES TIMEOUT 120)
endforeach()
