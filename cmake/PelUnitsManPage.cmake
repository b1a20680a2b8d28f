# Writes the man page of the pelunits tool from its own help texts, so that the two
# never disagree: help2man turns `pelunits --help` into the page, and the help of
# every command listed there becomes a section of its own.
#   cmake -DTOOL=... -DHELP2MAN=... -DOUTPUT=... -DWORK_DIR=... -P PelUnitsManPage.cmake
set(ENV{LC_ALL} C.UTF-8)

execute_process(COMMAND "${TOOL}" --help OUTPUT_VARIABLE main_help RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${TOOL} --help failed")
endif()

# The commands are the indented words under "commands:".
string(REGEX MATCH "\ncommands:\n(  [^\n]+\n)+" command_block "${main_help}")
string(REGEX MATCHALL "\n  [a-z]+ " command_words "${command_block}")

set(include_text "")
foreach(word IN LISTS command_words)
  string(STRIP "${word}" command)
  execute_process(COMMAND "${TOOL}" ${command} --help OUTPUT_VARIABLE help RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${TOOL} ${command} --help failed")
  endif()
  # Preformatted roff: backslashes and minus signs escaped, no line read as a request.
  string(REPLACE "\\" "\\e" help "${help}")
  string(REPLACE "-" "\\-" help "${help}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
  string(TOUPPER "${command}" title)
  string(APPEND include_text "[COMMAND ${title}]\n.nf\n${help}.fi\n\n")
endforeach()
file(WRITE "${WORK_DIR}/pelunits.h2m" "${include_text}")

execute_process(
  COMMAND "${HELP2MAN}" --no-info --no-discard-stderr --locale=C.UTF-8
          --name "units of measure for structural design, on the command line"
          --include "${WORK_DIR}/pelunits.h2m" --output "${OUTPUT}" "${TOOL}"
  RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "help2man failed: ${err}")
endif()
