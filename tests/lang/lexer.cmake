# Lexer engine and command lexer tests, and the check that the committed
# automaton tables are what their rules files give.
tarv_add_test(lang_lexer_tests
  ${CMAKE_CURRENT_LIST_DIR}/LexLibTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TarvLexTest.cpp)

add_test(NAME lexer_tables_current
  COMMAND ${CMAKE_COMMAND}
    -DLEXGEN=$<TARGET_FILE:lexgen>
    -DRULES=${CMAKE_SOURCE_DIR}/src/lang/TarvLex.rules
    -DCOMMITTED=${CMAKE_SOURCE_DIR}/src/lang/TarvLexTables.cpp
    -DOUT=${CMAKE_CURRENT_BINARY_DIR}/TarvLexTables.cpp
    -P ${CMAKE_SOURCE_DIR}/tools/lexgen/CompareTables.cmake)
