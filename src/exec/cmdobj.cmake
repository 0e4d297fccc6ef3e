# The command object: fields, construction forms and text form.
target_sources(tarvcore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TarvCmd2Obj.cpp
)
