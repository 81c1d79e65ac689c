# Fails when the monitor access code reaches above itself: device/ must include nothing of the
# editor or of Qt, neither the curve model nor its owner, and no message ids (only the editor and
# graydenctl decide what the user is told); graydenctl's monitor subcommands must not need the
# curve model. Run with -DROOT=<source dir>.
set(upward "#include [<\"](Q[A-Za-z]*|Qt[A-Za-z]*/[^\">]*|editor/[^\">]*|engine/CurveModel\\.h|engine/ModelOwner\\.h|resources/StringIds\\.h)[\">]")
set(curveModel "#include [<\"](engine/CurveModel\\.h|engine/ModelOwner\\.h)[\">]")

file(GLOB_RECURSE device "${ROOT}/device/*.h" "${ROOT}/device/*.cpp")
file(GLOB monitorCommand "${ROOT}/tools/graydenctl/MonitorCommand*")
if(NOT device OR NOT monitorCommand)
  message(FATAL_ERROR "no sources found under ${ROOT}")
endif()

set(faults "")
foreach(pair IN ITEMS "upward;${device}" "curveModel;${monitorCommand}")
  list(POP_FRONT pair pattern)
  foreach(file IN LISTS pair)
    file(STRINGS "${file}" hits REGEX "${${pattern}}")
    foreach(hit IN LISTS hits)
      string(APPEND faults "  ${file}: ${hit}\n")
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "includes that point the wrong way:\n${faults}")
endif()
