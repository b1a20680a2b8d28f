# Windows: a module-definition file of the C interface and an import library in the
# MSVC format, so that MSVC-built hosts link the DLL without mingw-w64. The C++
# classes follow the mingw-w64 g++ ABI and are left out of both.
include(${CMAKE_CURRENT_LIST_DIR}/PelUnitsCFunctions.cmake)

pelunits_c_functions(${PROJECT_SOURCE_DIR}/include/pelunits.h _pel_c_functions)
set(PELUNITS_DEF_FILE ${PROJECT_BINARY_DIR}/PelUnitsTransform.def)
list(JOIN _pel_c_functions "\n    " _pel_exports)
file(GENERATE OUTPUT ${PELUNITS_DEF_FILE}
  CONTENT "LIBRARY libPelUnitsTransform.dll\nEXPORTS\n    ${_pel_exports}\n")
if(PELUNITS_INSTALL)
  install(FILES ${PELUNITS_DEF_FILE} DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()

find_program(PELUNITS_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14)
if(PELUNITS_DLLTOOL)
  set(PELUNITS_MSVC_IMPORT_LIBRARY ${PROJECT_BINARY_DIR}/PelUnitsTransform.lib)
  add_custom_command(OUTPUT ${PELUNITS_MSVC_IMPORT_LIBRARY}
    COMMAND ${PELUNITS_DLLTOOL} -m i386:x86-64 -d ${PELUNITS_DEF_FILE}
            -l ${PELUNITS_MSVC_IMPORT_LIBRARY}
    DEPENDS ${PELUNITS_DEF_FILE} ${PROJECT_SOURCE_DIR}/include/pelunits.h
    COMMENT "MSVC import library PelUnitsTransform.lib")
  add_custom_target(PelUnitsTransformMsvcImport ALL DEPENDS ${PELUNITS_MSVC_IMPORT_LIBRARY})
  if(PELUNITS_INSTALL)
    install(FILES ${PELUNITS_MSVC_IMPORT_LIBRARY} DESTINATION ${CMAKE_INSTALL_LIBDIR})
  endif()
else()
  message(WARNING "no llvm-dlltool (Debian package llvm): no MSVC import library")
endif()
