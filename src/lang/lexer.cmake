# The lexer engine and the command lexer with its generated automaton.
target_sources(tarvcore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LexLib.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TarvLex.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TarvLexTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/${TARV_PLATFORM}/SlashWords.cpp
)
