tarv_add_test(exec_executor_tests
  ${CMAKE_CURRENT_LIST_DIR}/ExecutorTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FlowCommandsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InternalCommandsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WaitLimitTest.cpp)
