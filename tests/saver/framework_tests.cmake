# Tests of the form framework: window-free parts natively, the Win32 parts under Wine.
if(NOT WIN32)
  add_executable(framework_core_tests ${CMAKE_CURRENT_LIST_DIR}/framework_core_test.cpp)
  target_link_libraries(framework_core_tests PRIVATE qv_framework_core GTest::gtest_main)
  gtest_discover_tests(framework_core_tests)
endif()

if(WIN32)
  # Started by the tests to see the program services from another process.
  add_executable(framework_probe ${CMAKE_CURRENT_LIST_DIR}/framework_probe.cpp)
  target_link_libraries(framework_probe PRIVATE qv_framework)
  set_target_properties(framework_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

  add_executable(framework_win_tests ${CMAKE_CURRENT_LIST_DIR}/framework_win_test.cpp)
  target_link_libraries(framework_win_tests PRIVATE qv_framework GTest::gtest_main)
  add_dependencies(framework_win_tests framework_probe)
  # Under Wine the probe's Unix path /x/y is Z:\x\y.
  string(REPLACE "/" "\\\\" probe_path "Z:${CMAKE_CURRENT_BINARY_DIR}/framework_probe.exe")
  target_compile_definitions(framework_win_tests PRIVATE "QV_PROBE_EXE=\"${probe_path}\"")
  gtest_discover_tests(framework_win_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT ${QV_WINE_DISCOVERY_TIMEOUT}
                       PROPERTIES RUN_SERIAL TRUE TIMEOUT 120)
endif()
