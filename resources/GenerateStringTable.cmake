cmake_policy(SET CMP0057 NEW)
# Turns strings.tsv into a C++ source with one array of entries and a header naming every id.
# cmake -DINPUT=strings.tsv -DOUTPUT=StringTableData.cpp -DHEADER=StringIds.h -P GenerateStringTable.cmake
file(STRINGS "${INPUT}" lines ENCODING UTF-8)
set(body "")
set(names_body "")
set(seen "")
set(seen_names "")
foreach(line IN LISTS lines)
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  string(REPLACE "\t" ";" fields "${line}")
  list(LENGTH fields n)
  if(NOT n EQUAL 4)
    message(FATAL_ERROR "strings.tsv: expected id, name, English and Japanese in: ${line}")
  endif()
  list(GET fields 0 id)
  list(GET fields 1 name)
  list(GET fields 2 en)
  list(GET fields 3 ja)
  if(NOT id MATCHES "^[0-9]+$")
    message(FATAL_ERROR "strings.tsv: bad id '${id}'")
  endif()
  if(id IN_LIST seen)
    message(FATAL_ERROR "strings.tsv: id ${id} appears twice")
  endif()
  # Names become C++ constants beside the rest of the code, so they follow its rule for constants.
  if(NOT name MATCHES "^[A-Z][A-Za-z0-9]*$")
    message(FATAL_ERROR "strings.tsv: name '${name}' of id ${id} is not an UpperCamelCase identifier")
  endif()
  if(name IN_LIST seen_names)
    message(FATAL_ERROR "strings.tsv: name ${name} appears twice")
  endif()
  list(APPEND seen ${id})
  list(APPEND seen_names ${name})
  foreach(var en ja)
    string(REPLACE "\"" "\\\"" ${var} "${${var}}")
  endforeach()
  string(APPEND body "    {${id}, \"${en}\", \"${ja}\"},\n")
  string(APPEND names_body "constexpr int ${name} = ${id};  // \"${en}\"\n")
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated from strings.tsv; edit that file instead.
#include \"resources/StringTableData.h\"

namespace grayden {

const StringEntry stringEntries[] = {
${body}};
const std::size_t stringEntryCount = sizeof stringEntries / sizeof stringEntries[0];

}  // namespace grayden
")
file(WRITE "${HEADER}.tmp" "// Generated from strings.tsv; edit that file instead.
#pragma once

namespace grayden {

// The id of every entry of the string table, by the name it has there.
${names_body}
}  // namespace grayden
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(COPY_FILE "${HEADER}.tmp" "${HEADER}" ONLY_IF_DIFFERENT)
