target_sources(tarvcore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/EditorCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FlowCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InternalCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TarvExec.cpp
)
