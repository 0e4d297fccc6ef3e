# Deep, huge and hostile inputs, and heap soaks of long runs.
tarv_add_test(run_hostile_tests ${CMAKE_CURRENT_LIST_DIR}/HostileInputTest.cpp)
