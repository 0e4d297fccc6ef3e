# Fuzz targets of the command lexer and the expression lexer.
tarv_add_fuzzer(tarvlex_fuzz ${CMAKE_CURRENT_LIST_DIR}/tarvlex_fuzz.cpp)
tarv_add_fuzzer(exprlex_fuzz ${CMAKE_CURRENT_LIST_DIR}/exprlex_fuzz.cpp)
