# The Python package as users get it: from `cmake --install`, finding the library of
# its prefix by itself; and from `pip install` of its folder, offline.
set(prefix "${WORK_DIR}/prefix")
include("${SOURCE_DIR}/tests/install/ScriptSteps.cmake")
fresh_folder("${WORK_DIR}")

set(tests "${SOURCE_DIR}/bindings/python/tests")
run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")
set(ENV{PYTHONDONTWRITEBYTECODE} 1)
unset(ENV{PELUNITS_LIBRARY})
set(ENV{PYTHONPATH} "${prefix}/${PYTHON_DIR}")
run(${PYTHON} -c "import pelunits, sys; sys.exit(0 if pelunits.__file__.startswith('${prefix}') else 1)")
run(${PYTHON} -m unittest discover -s "${tests}")

# pip, where it and setuptools are there: a copy of the folder, so that the build
# leaves nothing in the sources; the library is named through the environment.
execute_process(COMMAND ${PYTHON} -c "import setuptools" RESULT_VARIABLE have_setuptools
                OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND ${PYTHON} -m pip --version RESULT_VARIABLE have_pip
                OUTPUT_QUIET ERROR_QUIET)
if(have_setuptools EQUAL 0 AND have_pip EQUAL 0)
  file(COPY "${SOURCE_DIR}/bindings/python/" DESTINATION "${WORK_DIR}/source"
       PATTERN "__pycache__" EXCLUDE)
  run(${PYTHON} -m pip install --quiet --no-build-isolation --no-index --no-deps
      --target "${WORK_DIR}/pip" "${WORK_DIR}/source")
  set(ENV{PYTHONPATH} "${WORK_DIR}/pip")
  set(ENV{PELUNITS_LIBRARY} "${LIBRARY}")
  run(${PYTHON} -m unittest discover -s "${tests}")
else()
  message(STATUS "pip or setuptools missing: pip install not tried")
endif()
