# Runs a program in a folder that holds only it and the library, as a user who copied
# the DLL beside an application would.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(COPY "${PROGRAM}" "${LIBRARY}" DESTINATION "${WORK_DIR}")
get_filename_component(name "${PROGRAM}" NAME)
execute_process(COMMAND ${EMULATOR} "${WORK_DIR}/${name}" WORKING_DIRECTORY "${WORK_DIR}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${name} failed (${rc}):\n${out}\n${err}")
endif()
message(STATUS "${out}")
