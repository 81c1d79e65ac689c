# The editor's Debian package: CPack's DEB generator over the install rules, then the product
# code as a control field of its own. `cmake --build BUILD --target package-deb` gives
# BUILD/package/grayden_VERSION_ARCH.deb.
include(${CMAKE_CURRENT_LIST_DIR}/LauncherStrings.cmake)
grayden_read_launcher_string(224 GRAYDEN_PRODUCT_CODE product_code_ja)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME grayden)
set(CPACK_PACKAGE_VENDOR "the grayden developers")
set(CPACK_PACKAGE_CONTACT "grayden developers <grayden-project@users.noreply.github.com>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/grayden-project/grayden")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tone curve editor for KOVA LCD monitors")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "grayden shapes the grey-level response of a KOVA LCD monitor (model QT440)"
  "attached over USB: drag the control points of the curve or type their values,"
  "preview it live on the monitor, write it into the monitor permanently, and keep"
  "curves as CSV tone files. graydenctl does the same from the command line."
  "A udev rule gives the user at the seat access to the monitor.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its display plugins at run time, so shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-liberation, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    "${PROJECT_SOURCE_DIR}/packaging/debian/postinst;${PROJECT_SOURCE_DIR}/packaging/debian/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Every component but `udev` (the /etc copy of the rule) goes into one package.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_OUTPUT_FILE_PREFIX "${CMAKE_BINARY_DIR}/package/cpack")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package/cpack")

# The component list is complete only when every folder has added its install rules.
function(grayden_write_package_config)
  get_cmake_property(components COMPONENTS)
  list(REMOVE_ITEM components udev)
  set(CPACK_COMPONENTS_ALL ${components})
  include(CPack)
endfunction()
cmake_language(DEFER CALL grayden_write_package_config)

find_program(DPKG_DEB_PROGRAM dpkg-deb REQUIRED)
# CPack calls dpkg-shlibdeps (Debian dpkg-dev) for the Depends field; without it the package would lack one.
find_program(DPKG_SHLIBDEPS_PROGRAM dpkg-shlibdeps REQUIRED)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE GRAYDEN_DEB_ARCH
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(GRAYDEN_DEB "${CMAKE_BINARY_DIR}/package/grayden_${PROJECT_VERSION}_${GRAYDEN_DEB_ARCH}.deb")
set(cpack_deb "${CMAKE_BINARY_DIR}/package/cpack/grayden_${PROJECT_VERSION}_${GRAYDEN_DEB_ARCH}.deb")
# Always rerun: the package gathers files from every folder's install rules.
add_custom_target(package-deb
  COMMAND ${CMAKE_COMMAND} -E rm -f "${cpack_deb}"
  COMMAND ${CMAKE_CPACK_COMMAND} --config "${CMAKE_BINARY_DIR}/CPackConfig.cmake"
  COMMAND ${CMAKE_COMMAND} -DDPKG_DEB=${DPKG_DEB_PROGRAM} -DINPUT=${cpack_deb} -DOUTPUT=${GRAYDEN_DEB} -DWORK=${CMAKE_BINARY_DIR}/package/tree
          "-DFIELD=Product-Code: ${GRAYDEN_PRODUCT_CODE}" -P ${PROJECT_SOURCE_DIR}/packaging/AddControlField.cmake
  BYPRODUCTS "${GRAYDEN_DEB}"
  COMMENT "Building the Debian package"
  WORKING_DIRECTORY "${CMAKE_BINARY_DIR}"
  VERBATIM)
add_dependencies(package-deb grayden graydenctl grayden_desktop_files manual)
