# Lexing speed of the command and expression lexers on generated input.
tarv_add_benchmark(lex_bench ${CMAKE_CURRENT_LIST_DIR}/LexBench.cpp)
