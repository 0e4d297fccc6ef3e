# The command parser on arbitrary command files, and expression evaluation
# on arbitrary expressions.
tarv_add_fuzzer(fuzz_command_parser ${CMAKE_CURRENT_LIST_DIR}/CommandParserFuzz.cpp)
tarv_add_fuzzer(fuzz_expr_eval ${CMAKE_CURRENT_LIST_DIR}/ExprEvalFuzz.cpp)
