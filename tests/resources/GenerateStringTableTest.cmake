# Runs the string-table generator on small tables: a good one must give the named ids and the
# entries, every bad one must stop the build with a message naming the fault.
# cmake -DGENERATOR=GenerateStringTable.cmake -DWORK=dir -P GenerateStringTableTest.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(failures 0)

function(generate table result_var output_var)
  file(WRITE "${WORK}/strings.tsv" "${table}")
  file(REMOVE "${WORK}/data.cpp" "${WORK}/ids.h")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DINPUT=${WORK}/strings.tsv -DOUTPUT=${WORK}/data.cpp -DHEADER=${WORK}/ids.h
            -P ${GENERATOR}
    RESULT_VARIABLE result ERROR_VARIABLE output OUTPUT_VARIABLE output)
  set(${result_var} "${result}" PARENT_SCOPE)
  set(${output_var} "${output}" PARENT_SCOPE)
endfunction()

function(expect_contains label text wanted)
  string(FIND "${text}" "${wanted}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "${label}: expected to find\n  ${wanted}\nin\n${text}")
  endif()
endfunction()

# A good table: comments and blank lines skipped, quotes escaped, both files written.
generate("# comment\n\n32791\tMsgCannotOpenFile\tCannot \"open\".\tjp1\n7\tLockName\tLock\tjp2\n" result output)
if(NOT result EQUAL 0)
  message(SEND_ERROR "good table refused: ${output}")
else()
  file(READ "${WORK}/ids.h" ids)
  file(READ "${WORK}/data.cpp" data)
  expect_contains("header" "${ids}" "constexpr int MsgCannotOpenFile = 32791;")
  expect_contains("header" "${ids}" "constexpr int LockName = 7;")
  expect_contains("data" "${data}" "{32791, \"Cannot \\\"open\\\".\", \"jp1\"},")
  expect_contains("data" "${data}" "{7, \"Lock\", \"jp2\"},")
endif()

# Each bad table with the words its message must contain.
set(bad_tables
  "32791\tCannot open.\tjp\n" "expected id, name, English and Japanese"
  "32791\tMsgA\tText\tjp\textra\n" "expected id, name, English and Japanese"
  "12a\tMsgA\tText\tjp\n" "bad id '12a'"
  "1\tMsgA\tA\tjp\n1\tMsgB\tB\tjp\n" "id 1 appears twice"
  "1\tMsgA\tA\tjp\n2\tMsgA\tB\tjp\n" "name MsgA appears twice"
  "1\tmsgA\tA\tjp\n" "name 'msgA' of id 1 is not an UpperCamelCase identifier"
  "1\tMsg-A\tA\tjp\n" "name 'Msg-A' of id 1"
  "1\t2Msg\tA\tjp\n" "name '2Msg' of id 1")
list(LENGTH bad_tables count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET bad_tables ${i} table)
  list(GET bad_tables ${j} wanted)
  generate("${table}" result output)
  if(result EQUAL 0)
    message(SEND_ERROR "bad table accepted (expected '${wanted}'): ${table}")
  else()
    expect_contains("bad table" "${output}" "${wanted}")
  endif()
  if(EXISTS "${WORK}/ids.h")
    message(SEND_ERROR "bad table still wrote a header: ${table}")
  endif()
endforeach()
