# Finds a header-only dependency: sets the cache variable `var` to a folder that holds
# `header` ("fast_float/fast_float.h"), or stops with a message naming the Debian
# package that brings it.
#
# Such headers are the same for every target, so the build machine's copy serves a
# cross build, through a folder of the build tree that holds only the header's own
# folder: the build machine's other headers must stay out of the target's include path.
# The usual prefixes are named too: emscripten's toolchain searches only under /.
function(pelunits_find_header_only var header package)
  find_path(${var} ${header})
  if(NOT ${var} AND CMAKE_CROSSCOMPILING)
    find_path(${var}_ON_HOST ${header} PATHS /usr/local/include /usr/include
              NO_CMAKE_FIND_ROOT_PATH)
    if(${var}_ON_HOST)
      get_filename_component(_folder ${header} DIRECTORY)
      string(MAKE_C_IDENTIFIER ${_folder} _name)
      set(_dir ${CMAKE_BINARY_DIR}/${_name}-include)
      file(MAKE_DIRECTORY ${_dir})
      file(CREATE_LINK ${${var}_ON_HOST}/${_folder} ${_dir}/${_folder} SYMBOLIC)
      set(${var} ${_dir} CACHE PATH "The folder holding ${header}" FORCE)
    endif()
  endif()
  if(NOT ${var})
    message(FATAL_ERROR "${header} not found: install ${package} "
                        "(scripts/ensure-deps does) or set ${var}")
  endif()
endfunction()
