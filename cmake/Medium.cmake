# The distribution medium: BUILD/medium/ holds the launcher, the editor's package and the manual
# at the paths the launcher opens, and BUILD/grayden-VERSION.iso is an ISO 9660 image of it (Rock
# Ridge keeps the launcher executable, Joliet keeps the names for other systems).
# `cmake --build BUILD --target medium` makes both.
find_program(XORRISO_PROGRAM xorriso REQUIRED)

# The launcher's string table decides where it looks for the package and the manual.
function(grayden_read_string id english japanese)
  set(tables "${PROJECT_SOURCE_DIR}/resources/launcher/strings.tsv" "${PROJECT_SOURCE_DIR}/resources/strings.tsv")
  foreach(table IN LISTS tables)
    if(NOT EXISTS "${table}")
      continue()
    endif()
    file(STRINGS "${table}" lines REGEX "^${id}\t" ENCODING UTF-8)
    foreach(line IN LISTS lines)
      string(REPLACE "\t" ";" fields "${line}")
      list(GET fields -2 en)
      list(GET fields -1 ja)
      set(${english} "${en}" PARENT_SCOPE)
      set(${japanese} "${ja}" PARENT_SCOPE)
      return()
    endforeach()
  endforeach()
  set(${english} "" PARENT_SCOPE)
  set(${japanese} "" PARENT_SCOPE)
endfunction()

grayden_read_string(225 package_en package_ja)
if(package_en STREQUAL "")
  set(package_en "Installer/grayden.deb")
  set(package_ja "${package_en}")
endif()
if(NOT package_en STREQUAL package_ja)
  message(FATAL_ERROR "The launcher's package path differs by language (${package_en}, ${package_ja}), "
                      "but one package serves both")
endif()
set(GRAYDEN_MEDIUM_PACKAGE_PATH "${package_en}")
grayden_read_string(215 manual_en manual_ja)
if(manual_en STREQUAL "")
  set(manual_en "Manual/English/Manual.html")
  set(manual_ja "Manual/Japanese/Manual.html")
endif()
set(GRAYDEN_MEDIUM_MANUAL_PATHS "${manual_en};${manual_ja}")
set(GRAYDEN_MEDIUM_DIR "${CMAKE_BINARY_DIR}/medium")
set(GRAYDEN_MEDIUM_ISO "${CMAKE_BINARY_DIR}/grayden-${PROJECT_VERSION}.iso")

# The launcher may be added after this file is read, so the target is made once every folder is.
function(grayden_add_medium)
  if(NOT TARGET launcher)
    message(STATUS "No launcher target: the medium cannot be made")
    return()
  endif()
  # The guide is assembled with its stylesheet and pictures in one folder per language.
  set(manual_folders "${CMAKE_BINARY_DIR}/manual/English;${CMAKE_BINARY_DIR}/manual/Japanese")
  add_custom_target(medium
    COMMAND ${CMAKE_COMMAND} -DMEDIUM=${GRAYDEN_MEDIUM_DIR} -DLAUNCHER=$<TARGET_FILE:launcher>
            -DPACKAGE=${GRAYDEN_DEB} -DPACKAGE_PATH=${GRAYDEN_MEDIUM_PACKAGE_PATH}
            "-DMANUAL_PATHS=${GRAYDEN_MEDIUM_MANUAL_PATHS}" "-DMANUAL_FOLDERS=${manual_folders}"
            -P ${PROJECT_SOURCE_DIR}/packaging/LayOutMedium.cmake
    COMMAND ${CMAKE_COMMAND} -E rm -f ${GRAYDEN_MEDIUM_ISO}
    COMMAND ${XORRISO_PROGRAM} -as mkisofs -quiet -r -J -joliet-long -V GRAYDEN_${PROJECT_VERSION_MAJOR}_${PROJECT_VERSION_MINOR}
            -o ${GRAYDEN_MEDIUM_ISO} ${GRAYDEN_MEDIUM_DIR}
    BYPRODUCTS ${GRAYDEN_MEDIUM_ISO}
    COMMENT "Laying out the distribution medium and its ISO image"
    VERBATIM)
  add_dependencies(medium package-deb launcher manual)
endfunction()
cmake_language(DEFER CALL grayden_add_medium)
