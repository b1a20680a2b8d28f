# Builds tests/install/subdirectory, a host that adds the library with
# add_subdirectory, runs its consumer and checks that installing the host installs
# nothing of the library.
file(REMOVE_RECURSE "${WORK_DIR}")

include("${CMAKE_CURRENT_LIST_DIR}/ScriptSteps.cmake")

run(${CMAKE_COMMAND} -S "${SOURCE_DIR}/tests/install/subdirectory" -B "${WORK_DIR}/build"
    -G "${GENERATOR}" -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_BUILD_TYPE=Release
    -DPELUNITS_SOURCE_DIR=${SOURCE_DIR})
run(${CMAKE_COMMAND} --build "${WORK_DIR}/build" -j2)
run("${WORK_DIR}/build/consumer")
run(${CMAKE_COMMAND} --install "${WORK_DIR}/build" --prefix "${WORK_DIR}/prefix")
if(EXISTS "${WORK_DIR}/prefix")
  file(GLOB_RECURSE installed "${WORK_DIR}/prefix/*")
  message(FATAL_ERROR "the dependency installed files: ${installed}")
endif()
