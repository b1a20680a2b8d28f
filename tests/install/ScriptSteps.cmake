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

# The compiler and linker flags that pkg-config gives for the package installed under
# `prefix`, as a list in `flags`, and its library folder in `libdir` (for an rpath).
function(pkg_config_flags prefix)
  find_program(PKG_CONFIG pkg-config REQUIRED)
  file(GLOB_RECURSE pcfile "${prefix}/*/PelUnitsTransform.pc")
  get_filename_component(pcdir "${pcfile}" DIRECTORY)
  set(ENV{PKG_CONFIG_PATH} "${pcdir}")
  execute_process(COMMAND ${PKG_CONFIG} --cflags --libs PelUnitsTransform
                  OUTPUT_VARIABLE found RESULT_VARIABLE rc OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pkg-config does not know PelUnitsTransform")
  endif()
  separate_arguments(found UNIX_COMMAND "${found}")
  get_filename_component(dir "${pcdir}" DIRECTORY)
  set(flags "${found}" PARENT_SCOPE)
  set(libdir "${dir}" PARENT_SCOPE)
endfunction()
