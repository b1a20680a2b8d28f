# Steps shared by the scripts that check the library from outside (cmake -P).

# Runs a command; stops the script with its output when it fails. Its standard output
# is left in `out` for the caller.
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

# Starts from an empty folder.
function(fresh_folder folder)
  file(REMOVE_RECURSE "${folder}")
  file(MAKE_DIRECTORY "${folder}")
endfunction()
