# Parser engine and command grammar tests, and the check that the committed
# parser tables and headers are what their grammars give.
tarv_add_test(lang_parser_tests
  ${CMAKE_CURRENT_LIST_DIR}/YaccLibTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ParserTablesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TarvYaccTest.cpp)

set(grammars ${TARV_GRAMMARS})
while(grammars)
  list(POP_FRONT grammars grammar tables header)
  get_filename_component(name ${grammar} NAME_WE)
  add_test(NAME parser_tables_current_${name} COMMAND lalrgen --check ${grammar} ${tables} ${header})
endwhile()
