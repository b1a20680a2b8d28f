# Installs the built library into a scratch prefix, then builds and runs one
# consumer through find_package and one through pkg-config.
set(prefix "${WORK_DIR}/prefix")
include("${CMAKE_CURRENT_LIST_DIR}/ScriptSteps.cmake")
fresh_folder("${WORK_DIR}")

run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")
foreach(file include/PelUnitsTransform/KovString.h include/PelUnitsTransform/KovUnitTransform.h
             include/PelUnitsTransform/KovUnitsTransformArray.h
             include/PelUnitsTransform/PelUnitsCatalogue.h share/doc/PelUnitsTransform/LICENSE
             share/bash-completion/completions/pelunits)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
if(EXISTS "${BUILD_DIR}/tools/pelunits.1" AND NOT EXISTS "${prefix}/share/man/man1/pelunits.1")
  message(FATAL_ERROR "the man page is not installed")
endif()

run(${CMAKE_COMMAND} -S "${SOURCE_DIR}/tests/install/consumer" -B "${WORK_DIR}/cmake-consumer"
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} --build "${WORK_DIR}/cmake-consumer")
run("${WORK_DIR}/cmake-consumer/consumer")

# The tool is installed beside the library and finds it from there.
if(EXISTS "${BUILD_DIR}/tools/pelunits")
  execute_process(COMMAND "${prefix}/bin/pelunits" display --unit metres 1234
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "1.234\n")
    message(FATAL_ERROR "installed pelunits failed (${rc}): '${out}' ${err}")
  endif()
endif()

pkg_config_flags("${prefix}")
run(${CXX} -std=c++17 "${SOURCE_DIR}/tests/install/consumer/consumer.cpp" ${flags}
    -Wl,-rpath,${libdir} -o "${WORK_DIR}/pkg-consumer")
run("${WORK_DIR}/pkg-consumer")
