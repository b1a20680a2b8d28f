# Warnings stay PRIVATE to our own targets: consumers never inherit them.
function(pelunits_set_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${PELUNITS_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wshadow -Wconversion -Wold-style-cast)
    target_compile_options(${target} PRIVATE $<$<BOOL:${PELUNITS_WERROR}>:-Werror>)
  endif()
endfunction()
