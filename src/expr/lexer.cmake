# The expression lexer with its generated automaton.
target_sources(tarvcore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TarvExprLex.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TarvExprLexTables.cpp
)
