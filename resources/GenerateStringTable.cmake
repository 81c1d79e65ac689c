cmake_policy(SET CMP0057 NEW)
# Turns strings.tsv into a C++ source with one sorted array of entries.
# cmake -DINPUT=strings.tsv -DOUTPUT=StringTableData.cpp -P GenerateStringTable.cmake
file(STRINGS "${INPUT}" lines ENCODING UTF-8)
set(body "")
set(seen "")
foreach(line IN LISTS lines)
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  string(REPLACE "\t" ";" fields "${line}")
  list(LENGTH fields n)
  if(NOT n EQUAL 3)
    message(FATAL_ERROR "strings.tsv: expected id, English and Japanese in: ${line}")
  endif()
  list(GET fields 0 id)
  list(GET fields 1 en)
  list(GET fields 2 ja)
  if(NOT id MATCHES "^[0-9]+$")
    message(FATAL_ERROR "strings.tsv: bad id '${id}'")
  endif()
  if(id IN_LIST seen)
    message(FATAL_ERROR "strings.tsv: id ${id} appears twice")
  endif()
  list(APPEND seen ${id})
  foreach(var en ja)
    string(REPLACE "\"" "\\\"" ${var} "${${var}}")
  endforeach()
  string(APPEND body "    {${id}, \"${en}\", \"${ja}\"},\n")
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated from strings.tsv; edit that file instead.
#include \"resources/StringTableData.h\"

namespace grayden {

const StringEntry stringEntries[] = {
${body}};
const std::size_t stringEntryCount = sizeof stringEntries / sizeof stringEntries[0];

}  // namespace grayden
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
