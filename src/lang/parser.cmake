# The parser engine and the command grammar with its generated tables.
target_sources(tarvcore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/YaccLib.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TarvYacc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TarvYaccTables.cpp
)
