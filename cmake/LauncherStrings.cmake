# The launcher finds the editor's package by values of its string table (the product code, the
# package and manual paths), so the package and the medium take them from the same table.
function(grayden_read_launcher_string id english japanese)
  file(STRINGS "${PROJECT_SOURCE_DIR}/resources/launcher/strings.tsv" lines REGEX "^${id}\t" ENCODING UTF-8)
  list(LENGTH lines count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "resources/launcher/strings.tsv: expected one string ${id}, found ${count}")
  endif()
  string(REPLACE "\t" ";" fields "${lines}")
  list(GET fields 2 en)
  list(GET fields 3 ja)
  set(${english} "${en}" PARENT_SCOPE)
  set(${japanese} "${ja}" PARENT_SCOPE)
endfunction()
