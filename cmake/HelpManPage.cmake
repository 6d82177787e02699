# Writes the manual page of a program from its own --help text, so that the
# two never disagree, and compresses it as Debian keeps manual pages.
#   cmake -DPROGRAM=path -DNAME=name -DSUMMARY=text -DVERSION=x.y.z
#         -DSEE_ALSO=name;name -DOUTPUT=dir/name.1 -P HelpManPage.cmake
execute_process(COMMAND ${PROGRAM} --help RESULT_VARIABLE status OUTPUT_VARIABLE help ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT help)
  message(FATAL_ERROR "${PROGRAM} --help gave no help (status ${status}): ${errors}")
endif()

# The leading "usage:" line and its continuations are the synopsis.
string(REGEX MATCH "^usage: [^\n]*\n([ ]+${NAME}( [^\n]*)?\n)*" synopsis "${help}")
string(LENGTH "${synopsis}" synopsis_length)
string(SUBSTRING "${help}" ${synopsis_length} -1 description)
string(REGEX REPLACE "(^|\n)(usage:)? +" "\\1" synopsis "${synopsis}")
string(REGEX REPLACE "^\n+" "" description "${description}")

# roff reads a backslash as an escape, a leading dot or quote as a request,
# and a plain hyphen may print as a dash.
foreach(part synopsis description)
  string(REPLACE "\\" "\\e" ${part} "${${part}}")
  string(REPLACE "-" "\\-" ${part} "${${part}}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" ${part} "${${part}}")
endforeach()

string(TOUPPER "${NAME}" title)
string(REPLACE "-" "\\-" name "${NAME}")
string(REPLACE "-" "\\-" summary "${SUMMARY}")
set(see_also)
foreach(other IN LISTS SEE_ALSO)
  string(REPLACE "-" "\\-" other "${other}")
  list(APPEND see_also ".BR ${other} (1)")
endforeach()
list(JOIN see_also ",\n" see_also)

file(WRITE ${OUTPUT} ".TH ${title} 1 \"\" \"gearconsole ${VERSION}\" \"User Commands\"
.SH NAME
${name} \\- ${summary}
.SH SYNOPSIS
.nf
${synopsis}.fi
.SH DESCRIPTION
.nf
${description}.fi
.SH SEE ALSO
${see_also}
")
execute_process(COMMAND gzip -9nf ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip ${OUTPUT} failed")
endif()
