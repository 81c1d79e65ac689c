# Fails when a source file defines members of a class its name does not start with, so a class's
# members are found from its name (EditorDialog.cpp, EditorDialogLayout.cpp ...). A nested class's
# members count for the outer one. Definitions are lines that start with an optional return type
# and then Name::member(. Run with -DROOT=<source dir>.
set(definition "^([A-Za-z_][A-Za-z0-9_:<>,*& ]* )?([a-z_][a-z0-9_]*::)*([A-Z][A-Za-z0-9_]*)::[^ (]+\\(")

file(GLOB_RECURSE sources "${ROOT}/editor/*.cpp" "${ROOT}/launcher/*.cpp" "${ROOT}/render/*.cpp"
     "${ROOT}/tools/*.cpp")
if(NOT sources)
  message(FATAL_ERROR "no sources found under ${ROOT}")
endif()

set(faults "")
foreach(file IN LISTS sources)
  get_filename_component(base "${file}" NAME_WE)
  file(STRINGS "${file}" hits REGEX "${definition}")
  foreach(hit IN LISTS hits)
    string(REGEX MATCH "${definition}" unused "${hit}")
    string(FIND "${base}" "${CMAKE_MATCH_3}" position)
    if(NOT position EQUAL 0)
      string(APPEND faults "  ${file}: ${CMAKE_MATCH_3} in ${hit}\n")
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "members defined in a file that does not carry their class's name:\n${faults}")
endif()
