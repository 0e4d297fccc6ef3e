# Parsing a large command file, and evaluating typical expressions.
tarv_add_benchmark(bench_parsers ${CMAKE_CURRENT_LIST_DIR}/ParserBench.cpp)
