# The expression grammar and evaluator with its generated tables.
target_sources(tarvcore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TarvExpr.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TarvExprTables.cpp
)
