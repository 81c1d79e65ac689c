# The distribution medium: BUILD/medium/ holds the launcher, the editor's package and the manual
# at the paths the launcher opens, and BUILD/grayden-VERSION.iso is an ISO 9660 image of it (Rock
# Ridge keeps the launcher executable, Joliet keeps the names for other systems).
# `cmake --build BUILD --target medium` makes both.
find_program(XORRISO_PROGRAM xorriso REQUIRED)

include(${CMAKE_CURRENT_LIST_DIR}/LauncherStrings.cmake)
grayden_read_launcher_string(225 package_en package_ja)
if(NOT package_en STREQUAL package_ja)
  message(FATAL_ERROR "The launcher's package path differs by language (${package_en}, ${package_ja}), "
                      "but one package serves both")
endif()
set(GRAYDEN_MEDIUM_PACKAGE_PATH "${package_en}")
grayden_read_launcher_string(215 manual_en manual_ja)
set(GRAYDEN_MEDIUM_MANUAL_PATHS "${manual_en};${manual_ja}")
set(GRAYDEN_MEDIUM_DIR "${CMAKE_BINARY_DIR}/medium")
set(GRAYDEN_MEDIUM_ISO "${CMAKE_BINARY_DIR}/grayden-${PROJECT_VERSION}.iso")

# The guide is assembled with its stylesheet and pictures in one folder per language.
set(manual_folders "${CMAKE_BINARY_DIR}/manual/English;${CMAKE_BINARY_DIR}/manual/Japanese")
add_custom_target(medium
  COMMAND ${CMAKE_COMMAND} -DMEDIUM=${GRAYDEN_MEDIUM_DIR} -DLAUNCHER=$<TARGET_FILE:launcher>
          -DPACKAGE=${GRAYDEN_DEB} -DPACKAGE_PATH=${GRAYDEN_MEDIUM_PACKAGE_PATH}
          "-DMANUAL_PATHS=${GRAYDEN_MEDIUM_MANUAL_PATHS}" "-DMANUAL_FOLDERS=${manual_folders}"
          -DSTRIP=${CMAKE_STRIP} -P ${PROJECT_SOURCE_DIR}/packaging/LayOutMedium.cmake
  COMMAND ${CMAKE_COMMAND} -E rm -f ${GRAYDEN_MEDIUM_ISO}
  COMMAND ${XORRISO_PROGRAM} -as mkisofs -quiet -r -J -joliet-long -V GRAYDEN_${PROJECT_VERSION_MAJOR}_${PROJECT_VERSION_MINOR}
          -o ${GRAYDEN_MEDIUM_ISO} ${GRAYDEN_MEDIUM_DIR}
  BYPRODUCTS ${GRAYDEN_MEDIUM_ISO}
  COMMENT "Laying out the distribution medium and its ISO image"
  VERBATIM)
add_dependencies(medium package-deb launcher manual)
