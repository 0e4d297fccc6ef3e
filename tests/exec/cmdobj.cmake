# The command object: construction forms, options and text form.
tarv_add_test(exec_cmdobj_tests ${CMAKE_CURRENT_LIST_DIR}/TarvCmd2ObjTest.cpp)
