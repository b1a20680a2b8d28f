# The C interface from outside: installs the built library into a scratch prefix, then
# builds a C99 program with -pedantic -Wall -Werror through find_package and through
# pkg-config, and runs both.
set(prefix "${WORK_DIR}/prefix")
include("${CMAKE_CURRENT_LIST_DIR}/ScriptSteps.cmake")
fresh_folder("${WORK_DIR}")

run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")
if(NOT EXISTS "${prefix}/include/PelUnitsTransform/pelunits.h")
  message(FATAL_ERROR "missing installed header pelunits.h")
endif()

set(source "${SOURCE_DIR}/tests/install/c-consumer")
run(${CMAKE_COMMAND} -S "${source}" -B "${WORK_DIR}/cmake-consumer" -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=${CC})
run(${CMAKE_COMMAND} --build "${WORK_DIR}/cmake-consumer")
run("${WORK_DIR}/cmake-consumer/c-consumer")

pkg_config_flags("${prefix}")
run(${CC} -std=c99 -pedantic -Wall -Werror "${source}/consumer.c" ${flags} -lm
    -Wl,-rpath,${libdir} -o "${WORK_DIR}/pkg-consumer")
run("${WORK_DIR}/pkg-consumer")
