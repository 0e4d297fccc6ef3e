# Expression grammar and evaluator tests, with its automaton state by state.
tarv_add_test(expr_parser_tests
  ${CMAKE_CURRENT_LIST_DIR}/ExprTablesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TarvExprTest.cpp)
