# The user guide as one HTML page, rendered from docs/user-guide.md by
# tools/render-guide.py into the build directory (target user_guide). The
# renderer needs Python's markdown package (Debian: python3-markdown); the
# first interpreter that has it is used, so a Python of its own on PATH does
# not hide the system's.
set(TARV_GUIDE_SOURCE ${CMAKE_SOURCE_DIR}/docs/user-guide.md)
set(TARV_GUIDE_HTML ${CMAKE_BINARY_DIR}/user-guide.html)

find_package(Python3 COMPONENTS Interpreter)
set(TARV_GUIDE_PYTHON "")
foreach(candidate ${Python3_EXECUTABLE} /usr/bin/python3)
  if(NOT TARV_GUIDE_PYTHON AND EXISTS "${candidate}")
    execute_process(COMMAND ${candidate} -c "import markdown" RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
    if(status EQUAL 0)
      set(TARV_GUIDE_PYTHON ${candidate})
    endif()
  endif()
endforeach()

if(TARV_GUIDE_PYTHON)
  add_custom_command(
    OUTPUT ${TARV_GUIDE_HTML}
    COMMAND ${TARV_GUIDE_PYTHON} ${CMAKE_SOURCE_DIR}/tools/render-guide.py ${TARV_GUIDE_SOURCE} ${TARV_GUIDE_HTML}
    DEPENDS ${TARV_GUIDE_SOURCE} ${CMAKE_SOURCE_DIR}/tools/render-guide.py
    COMMENT "Rendering the user guide")
  add_custom_target(user_guide ALL DEPENDS ${TARV_GUIDE_HTML})
elseif(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  # The Windows package carries the guide: no package without it.
  message(FATAL_ERROR "Rendering the user guide needs Python's markdown package (Debian: apt-get install python3-markdown)")
else()
  message(STATUS "User guide: Python's markdown package not found, the HTML page is not built")
endif()
