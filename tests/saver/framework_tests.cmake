# Tests of the form framework: window-free parts natively, the Win32 parts under Wine.
if(NOT WIN32)
  add_executable(framework_core_tests ${CMAKE_CURRENT_LIST_DIR}/framework_core_test.cpp)
  target_link_libraries(framework_core_tests PRIVATE qv_framework_core GTest::gtest_main)
  gtest_discover_tests(framework_core_tests)
endif()
