# Fails when the monitor access code reaches above itself: device/ must include nothing of the
# editor or of Qt, neither the curve model nor its owner, and no message ids (only the editor and
# graydenctl decide what the user is told); graydenctl's monitor subcommands must not need the
# curve model. graydenctl and the render library it shares with the editor include nothing of the
# editor, and neither names an editor source or the editor library in its CMake files. The engine
# and the platform library's headers are standard C++: no system header (a name with a dot or a
# folder, such as <unistd.h> or <sys/stat.h>) and no /proc. The engine also includes nothing of
# Qt, the editor, the monitor access code or the string library: it reports errors and the
# programs choose the words. Run with -DROOT=<source dir>.
set(upward "#include [<\"](Q[A-Za-z]*|Qt[A-Za-z]*/[^\">]*|editor/[^\">]*|engine/CurveModel\\.h|engine/MonitorPort\\.h|resources/StringIds\\.h)[\">]")
set(engineUpward "#include [<\"](Q[A-Za-z]*|Qt[A-Za-z]*/[^\">]*|editor/[^\">]*|device/[^\">]*|resources/[^\">]*)[\">]")
set(curveModel "#include [<\"](engine/CurveModel\\.h|engine/MonitorPort\\.h)[\">]")
set(editor "#include [<\"]editor/[^\">]*[\">]")
set(editorBuild "(^|[^A-Za-z_])editor/|grayden_editor")
set(system "#include *<[^>]*[./][^>]*>|/proc/")

file(GLOB_RECURSE device "${ROOT}/device/*.h" "${ROOT}/device/*.cpp")
file(GLOB_RECURSE engine "${ROOT}/engine/*.h" "${ROOT}/engine/*.cpp")
file(GLOB monitorCommand "${ROOT}/tools/graydenctl/MonitorCommand*")
file(GLOB_RECURSE editorFree "${ROOT}/tools/*.h" "${ROOT}/tools/*.cpp" "${ROOT}/render/*.h" "${ROOT}/render/*.cpp")
file(GLOB_RECURSE standard "${ROOT}/engine/*.h" "${ROOT}/engine/*.cpp" "${ROOT}/platform/*.h")
file(GLOB_RECURSE editorFreeBuild "${ROOT}/tools/CMakeLists.txt" "${ROOT}/tools/*.cmake" "${ROOT}/render/CMakeLists.txt")
if(NOT device OR NOT engine OR NOT monitorCommand OR NOT editorFree OR NOT editorFreeBuild OR NOT standard)
  message(FATAL_ERROR "no sources found under ${ROOT}")
endif()

set(faults "")
foreach(pair IN ITEMS "upward;${device}" "engineUpward;${engine}" "curveModel;${monitorCommand}"
                      "editor;${editorFree}" "editorBuild;${editorFreeBuild}" "system;${standard}")
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
