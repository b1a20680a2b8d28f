# Included by the top-level CMakeLists for POSIX builds; edits PELUNITS_SOURCES.
# One step reads a named locale's separators and grouping (platform/LocaleNumbers.h):
# glibc's nl_langinfo_l, the portable localeconv (localeconv_l where declared), or
# none, which leaves regional texts neutral. auto takes the first that compiles.
set(PELUNITS_LOCALE_BACKEND auto CACHE STRING
    "How the POSIX build reads a locale's number format: auto, glibc, localeconv or neutral")
set_property(CACHE PELUNITS_LOCALE_BACKEND PROPERTY STRINGS auto glibc localeconv neutral)
check_cxx_source_compiles([=[
#include <langinfo.h>
#include <locale.h>
int main() {
locale_t l = newlocale(LC_NUMERIC_MASK, "C", nullptr);
const char* g = nl_langinfo_l(GROUPING, l);
freelocale(l);
return g == nullptr;
}]=] PELUNITS_HAVE_NL_LANGINFO_L_GROUPING)
include(CheckIncludeFileCXX)
check_include_file_cxx(xlocale.h PELUNITS_HAVE_XLOCALE_H)
set(_pel_xlocale "")
if(PELUNITS_HAVE_XLOCALE_H)
  set(_pel_xlocale "#include <xlocale.h>")
endif()
check_cxx_source_compiles("
#include <locale.h>
${_pel_xlocale}
int main() {
locale_t l = newlocale(LC_NUMERIC_MASK, \"C\", nullptr);
locale_t previous = uselocale(l);
const lconv* c = localeconv();
uselocale(previous);
freelocale(l);
return c == nullptr;
}" PELUNITS_HAVE_USELOCALE_LOCALECONV)
check_cxx_source_compiles("
#include <locale.h>
${_pel_xlocale}
int main() {
locale_t l = newlocale(LC_NUMERIC_MASK, \"C\", nullptr);
const lconv* c = localeconv_l(l);
freelocale(l);
return c == nullptr;
}" PELUNITS_HAVE_LOCALECONV_L)
set(_pel_backend ${PELUNITS_LOCALE_BACKEND})
if(_pel_backend STREQUAL "auto")
  if(PELUNITS_HAVE_NL_LANGINFO_L_GROUPING)
    set(_pel_backend glibc)
  elseif(PELUNITS_HAVE_USELOCALE_LOCALECONV)
    set(_pel_backend localeconv)
  else()
    set(_pel_backend neutral)
  endif()
endif()
if(_pel_backend STREQUAL "glibc" AND PELUNITS_HAVE_NL_LANGINFO_L_GROUPING)
  set(_pel_backend_file Glibc)
elseif(_pel_backend STREQUAL "localeconv" AND PELUNITS_HAVE_USELOCALE_LOCALECONV)
  set(_pel_backend_file Localeconv)
elseif(_pel_backend STREQUAL "neutral")
  set(_pel_backend_file Neutral)
else()
  message(FATAL_ERROR "PELUNITS_LOCALE_BACKEND '${PELUNITS_LOCALE_BACKEND}': not one of auto, "
                      "glibc, localeconv, neutral, or the C library lacks its calls")
endif()
message(STATUS "Locale number format: the ${_pel_backend} backend")
list(FILTER PELUNITS_SOURCES EXCLUDE REGEX "/LocaleNumbers[A-Za-z]*Posix\\.cpp$")
list(APPEND PELUNITS_SOURCES
     ${CMAKE_CURRENT_SOURCE_DIR}/platform/LocaleNumbers${_pel_backend_file}Posix.cpp)
if(_pel_backend STREQUAL "localeconv")
  set(_pel_backend_definitions "")
  if(PELUNITS_HAVE_XLOCALE_H)
    list(APPEND _pel_backend_definitions PELUNITS_HAVE_XLOCALE_H=1)
  endif()
  if(PELUNITS_HAVE_LOCALECONV_L)
    list(APPEND _pel_backend_definitions PELUNITS_HAVE_LOCALECONV_L=1)
  endif()
  set_source_files_properties(
    ${CMAKE_CURRENT_SOURCE_DIR}/platform/LocaleNumbersLocaleconvPosix.cpp
    PROPERTIES COMPILE_DEFINITIONS "${_pel_backend_definitions}")
endif()
