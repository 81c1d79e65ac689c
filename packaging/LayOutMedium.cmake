# Lays out the distribution medium: the launcher at the top, the package and the manual at the
# paths the launcher opens below its own folder.
# cmake -DMEDIUM=folder -DLAUNCHER=file -DPACKAGE=file -DPACKAGE_PATH=relative
#       -DMANUAL_PATHS=relative;... -DMANUAL_FOLDERS=folder;... -P LayOutMedium.cmake
# Each MANUAL_FOLDERS entry is copied whole (pages, stylesheet, pictures) to hold its MANUAL_PATHS page.
# With -DSTRIP=program the launcher loses its debugging symbols, as the package's programs do.
foreach(var MEDIUM LAUNCHER PACKAGE PACKAGE_PATH MANUAL_PATHS MANUAL_FOLDERS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "LayOutMedium.cmake: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${MEDIUM}")
file(MAKE_DIRECTORY "${MEDIUM}")
file(COPY "${LAUNCHER}" DESTINATION "${MEDIUM}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
     GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
if(STRIP)
  get_filename_component(launcher_name "${LAUNCHER}" NAME)
  execute_process(COMMAND "${STRIP}" --strip-unneeded "${MEDIUM}/${launcher_name}" COMMAND_ERROR_IS_FATAL ANY)
endif()

get_filename_component(package_folder "${MEDIUM}/${PACKAGE_PATH}" DIRECTORY)
file(MAKE_DIRECTORY "${package_folder}")
file(COPY_FILE "${PACKAGE}" "${MEDIUM}/${PACKAGE_PATH}")

foreach(page folder IN ZIP_LISTS MANUAL_PATHS MANUAL_FOLDERS)
  get_filename_component(page_name "${page}" NAME)
  if(NOT EXISTS "${folder}/${page_name}")
    message(FATAL_ERROR "LayOutMedium.cmake: the manual folder ${folder} has no ${page_name}")
  endif()
  get_filename_component(page_folder "${MEDIUM}/${page}" DIRECTORY)
  file(MAKE_DIRECTORY "${page_folder}")
  file(COPY "${folder}/" DESTINATION "${page_folder}")
endforeach()
