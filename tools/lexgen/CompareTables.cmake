# Regenerates one table source into the build tree and fails when it differs
# from the committed file. Arguments: LEXGEN, RULES, COMMITTED, OUT.
execute_process(COMMAND ${LEXGEN} ${RULES} ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lexgen failed on ${RULES}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${COMMITTED} RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "${COMMITTED} is not what ${RULES} gives: run the regenerate-lexers target")
endif()
