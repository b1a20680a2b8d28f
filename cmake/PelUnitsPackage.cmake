# Packages made by cpack from the install rules: a Debian package on Linux (library,
# headers, CMake and pkg-config files, tool, man page, completion, licence) and a ZIP
# of the install tree on Windows (DLL, import libraries, headers, pelunits.exe).
set(CPACK_PACKAGE_NAME "pelunitstransform")
set(CPACK_PACKAGE_VENDOR "The PelUnitsTransform authors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "units of measure for structural design: display, reading and validation")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "A C++17 library that shows internal values (millimetres, degrees, grams, kilonewtons, "
  "kilonewton-metres, N/mm²) in metric, imperial and angle units, reads typed text back "
  "and validates it; with the pelunits command-line tool.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}")
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "PelUnitsTransform-${PROJECT_VERSION}-win64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The PelUnitsTransform authors")
  # The run-time dependencies (libc6, libstdc++6, libgcc-s1) as dpkg-shlibdeps finds them.
  find_program(PELUNITS_DPKG_SHLIBDEPS dpkg-shlibdeps)
  if(PELUNITS_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1")
  endif()
endif()
include(CPack)
