# Compiles the binding with its test program with mono's C# compiler and runs it
# against the library of the build.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND ${MCS} -nologo -warnaserror -out:${WORK_DIR}/PelUnitsTest.exe
                        ${SOURCE_DIR}/PelUnits.cs ${SOURCE_DIR}/tests/PelUnitsTest.cs
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "mcs failed")
endif()
set(ENV{LD_LIBRARY_PATH} "${LIBRARY_DIR}")
set(ENV{PELUNITS_CODES_HEADER} "${SOURCE_DIR}/../../include/PelUnitsCodes.h")
execute_process(COMMAND ${MONO} ${WORK_DIR}/PelUnitsTest.exe RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the .NET binding test failed (${rc})")
endif()
