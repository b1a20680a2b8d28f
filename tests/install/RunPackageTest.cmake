# Makes the package of the build with cpack, unpacks it and checks it from outside.
#   Debian: the metadata (name, version, dependencies), the files, the tool run from
#           the unpacked tree, and a consumer built against the unpacked tree.
#   ZIP (Windows): the DLL, the import libraries, the headers and pelunits.exe.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/root")

include("${CMAKE_CURRENT_LIST_DIR}/ScriptSteps.cmake")

function(expect_files root)
  foreach(file IN LISTS ARGN)
    if(NOT EXISTS "${root}/${file}")
      file(GLOB_RECURSE present RELATIVE "${root}" "${root}/*")
      message(FATAL_ERROR "the package lacks ${file}; it holds:\n${present}")
    endif()
  endforeach()
endfunction()

set(headers KovString.h KovUnitTransform.h KovUnitsTransformArray.h PelUnitsCatalogue.h)
list(TRANSFORM headers PREPEND include/PelUnitsTransform/)

run(${CPACK_COMMAND} -G ${GENERATOR} --config "${BUILD_DIR}/CPackConfig.cmake"
    -B "${WORK_DIR}/out")
file(GLOB package "${WORK_DIR}/out/*.deb" "${WORK_DIR}/out/*.zip")
list(LENGTH package count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package, found: ${package}")
endif()

if(GENERATOR STREQUAL "ZIP")
  run(${CMAKE_COMMAND} -E chdir "${WORK_DIR}/root" ${CMAKE_COMMAND} -E tar xf "${package}")
  expect_files("${WORK_DIR}/root" bin/libPelUnitsTransform.dll lib/libPelUnitsTransform.dll.a
               bin/pelunits.exe share/doc/PelUnitsTransform/LICENSE ${headers})
  return()
endif()

run(dpkg-deb --info "${package}")
foreach(field "Package: pelunitstransform" "Version: ${VERSION}" "Architecture: amd64")
  string(FIND "${out}" " ${field}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the package metadata lacks '${field}':\n${out}")
  endif()
endforeach()
if(NOT out MATCHES "\n Depends: [^\n]*libc6" OR NOT out MATCHES "\n Depends: [^\n]*libstdc\\+\\+6")
  message(FATAL_ERROR "the package does not depend on libc6 and libstdc++6:\n${out}")
endif()

run(dpkg-deb -x "${package}" "${WORK_DIR}/root")
set(usr "${WORK_DIR}/root/usr")
expect_files("${usr}" lib/libPelUnitsTransform.so lib/cmake/PelUnitsTransform/PelUnitsTransformConfig.cmake
             lib/pkgconfig/PelUnitsTransform.pc bin/pelunits share/man/man1/pelunits.1
             share/bash-completion/completions/pelunits share/doc/PelUnitsTransform/LICENSE
             ${headers})

run("${usr}/bin/pelunits" display --unit kips 4.4482216152605)
if(NOT out STREQUAL "1.00\n")
  message(FATAL_ERROR "the packaged tool shows '${out}'")
endif()

run(${CMAKE_COMMAND} -S "${SOURCE_DIR}/tests/install/consumer" -B "${WORK_DIR}/consumer"
    -DCMAKE_PREFIX_PATH=${usr} -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=${CXX})
run(${CMAKE_COMMAND} --build "${WORK_DIR}/consumer")
run("${WORK_DIR}/consumer/consumer")
