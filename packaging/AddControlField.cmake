# Adds one field to the control file of a Debian package: unpacks INPUT into WORK, appends FIELD
# ("Name: value") to DEBIAN/control and builds OUTPUT from it with files owned by root.
# cmake -DDPKG_DEB=dpkg-deb -DINPUT=in.deb -DOUTPUT=out.deb -DWORK=folder "-DFIELD=Name: value" -P AddControlField.cmake
foreach(var DPKG_DEB INPUT OUTPUT WORK FIELD)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "AddControlField.cmake: ${var} is not set")
  endif()
endforeach()
if(NOT FIELD MATCHES "^([A-Za-z][A-Za-z0-9-]*): [^\n]+$")
  message(FATAL_ERROR "AddControlField.cmake: '${FIELD}' is not a one-line control field")
endif()
set(name "${CMAKE_MATCH_1}")

file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND "${DPKG_DEB}" -R "${INPUT}" "${WORK}" COMMAND_ERROR_IS_FATAL ANY)
file(READ "${WORK}/DEBIAN/control" control)
if(control MATCHES "(^|\n)${name}:")
  message(FATAL_ERROR "AddControlField.cmake: ${INPUT} already has a ${name} field")
endif()
# A blank line would end the paragraph, so the field follows the last one directly.
string(REGEX REPLACE "[\n]+$" "" control "${control}")
file(WRITE "${WORK}/DEBIAN/control" "${control}\n${FIELD}\n")
file(REMOVE "${OUTPUT}")
execute_process(COMMAND "${DPKG_DEB}" --root-owner-group -Zxz -b "${WORK}" "${OUTPUT}" OUTPUT_QUIET
                COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${WORK}")
