# Parser engine and command grammar tests, and the check that the committed
# parser tables are what their grammars give.
tarv_add_test(lang_parser_tests
  ${CMAKE_CURRENT_LIST_DIR}/YaccLibTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ParserTablesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TarvYaccTest.cpp)

add_test(NAME parser_tables_current_TarvYacc
  COMMAND lalrgen --check ${CMAKE_SOURCE_DIR}/src/lang/TarvYacc.grammar ${CMAKE_SOURCE_DIR}/src/lang/TarvYaccTables.cpp)
add_test(NAME parser_tables_current_TarvExpr
  COMMAND lalrgen --check ${CMAKE_SOURCE_DIR}/src/expr/TarvExpr.grammar ${CMAKE_SOURCE_DIR}/src/expr/TarvExprTables.cpp)
