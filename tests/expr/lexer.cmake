# Expression lexer tests, and the check that its committed automaton tables
# are what its rules file gives.
tarv_add_test(expr_lexer_tests ${CMAKE_CURRENT_LIST_DIR}/TarvExprLexTest.cpp)

add_test(NAME expr_lexer_tables_current
  COMMAND ${CMAKE_COMMAND}
    -DLEXGEN=$<TARGET_FILE:lexgen>
    -DRULES=${CMAKE_SOURCE_DIR}/src/expr/TarvExprLex.rules
    -DCOMMITTED=${CMAKE_SOURCE_DIR}/src/expr/TarvExprLexTables.cpp
    -DOUT=${CMAKE_CURRENT_BINARY_DIR}/TarvExprLexTables.cpp
    -P ${CMAKE_SOURCE_DIR}/tools/lexgen/CompareTables.cmake)
