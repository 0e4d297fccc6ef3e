# A whole dry run of a command file and of a command text, against the fake
# system services of the tests.
tarv_add_fuzzer(fuzz_whole_run ${CMAKE_CURRENT_LIST_DIR}/WholeRunFuzz.cpp)
target_include_directories(fuzz_whole_run PRIVATE ${CMAKE_SOURCE_DIR}/tests)
