# The install contract: headers under include/PelUnitsTransform, the imported target
# PelUnitsTransform::PelUnitsTransform through find_package, and a pkg-config file.
include(CMakePackageConfigHelpers)

set(PELUNITS_CONFIG_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/PelUnitsTransform")

install(TARGETS PelUnitsTransform
  EXPORT PelUnitsTransformTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PELUNITS_PUBLIC_HEADERS}
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/PelUnitsTransform)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(EXPORT PelUnitsTransformTargets
  NAMESPACE PelUnitsTransform::
  DESTINATION ${PELUNITS_CONFIG_DIR})

configure_package_config_file(
  ${CMAKE_CURRENT_SOURCE_DIR}/cmake/PelUnitsTransformConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/PelUnitsTransformConfig.cmake
  INSTALL_DESTINATION ${PELUNITS_CONFIG_DIR})
write_basic_package_version_file(
  ${CMAKE_CURRENT_BINARY_DIR}/PelUnitsTransformConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/PelUnitsTransformConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/PelUnitsTransformConfigVersion.cmake
  DESTINATION ${PELUNITS_CONFIG_DIR})

# Lets a project use this build tree directly, without installing.
export(EXPORT PelUnitsTransformTargets
  NAMESPACE PelUnitsTransform::
  FILE ${CMAKE_CURRENT_BINARY_DIR}/PelUnitsTransformTargets.cmake)

file(RELATIVE_PATH PELUNITS_PC_TO_PREFIX "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/cmake/PelUnitsTransform.pc.in
  ${CMAKE_CURRENT_BINARY_DIR}/PelUnitsTransform.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/PelUnitsTransform.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
