# pelunits_c_functions(<header> <out-var>): the names of the functions that the C
# interface header exports, in the order it declares them.
function(pelunits_c_functions header out)
  file(READ "${header}" text)
  string(REGEX MATCHALL "PELUNITS_C_API[^;(]*[ *](pelunits_[a-z0-9_]+)\\(" found "${text}")
  set(names)
  foreach(declaration IN LISTS found)
    string(REGEX REPLACE ".*[ *](pelunits_[a-z0-9_]+)\\($" "\\1" name "${declaration}")
    list(APPEND names ${name})
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()
