# Writes the manual page of brendax-cli from the program's own --help texts:
# the overview, then one section per subcommand, then the exit statuses.
#   cmake -DCLI=path/to/brendax-cli -DOUT=brendax-cli.1 -DVERSION=3.9 -DDATE=2026-12-07 -P make_manpage.cmake

function(help_of out)
  execute_process(COMMAND ${CLI} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${CLI} ${ARGN} --help failed")
  endif()
  # The usage line names the program by the path it was started with.
  string(REPLACE "${CLI}" "brendax-cli" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Text to roff: backslashes escaped, lines starting with "." or "'" guarded.
function(to_roff out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

help_of(overview)
# Subcommand names: the indented first words after the "Subcommands:" heading.
string(REGEX REPLACE ".*\nSubcommands:\n" "" listing "${overview}")
string(REGEX MATCHALL "(^|\n)  [a-z][a-z0-9-]*" names "${listing}")
set(subcommands "")
foreach(name IN LISTS names)
  string(STRIP "${name}" name)
  list(APPEND subcommands "${name}")
endforeach()

to_roff(overview_roff "${overview}")
set(page ".TH BRENDAX-CLI 1 \"${DATE}\" \"Brendax ${VERSION}\" \"User Commands\"
.SH NAME
brendax-cli \\- generate STL sources and symbol rows for S7 PLCs
.SH SYNOPSIS
.B brendax-cli
.I SUBCOMMAND
[\\fIOPTIONS\\fR]
.br
.B brendax-cli
\\-\\-version | \\-\\-help
.SH DESCRIPTION
.B brendax-cli
runs the generators of the Brendax window program without a window. It prints
the text the window shows (Windows-1252, CR LF after every line) unless told
otherwise; option values are the field texts as typed into the dialog.
.PP
.nf
${overview_roff}
.fi
.SH SUBCOMMANDS
")
foreach(name IN LISTS subcommands)
  help_of(help ${name})
  to_roff(help_roff "${help}")
  string(APPEND page ".SS ${name}\n.nf\n${help_roff}\n.fi\n")
endforeach()
string(APPEND page ".SH EXIT STATUS
.TP
.B 0
generated
.TP
.B 1
the input was refused; the message goes to standard error as the window's message box shows it
.TP
.B 2
wrong usage
.TP
.B 3
an output file could not be written
.SH EXAMPLES
.nf
brendax\\-cli step\\-simple \\-\\-count 20 \\-\\-mnemonics en \\-o FC80.awl \\-\\-symbols FC80.sym
brendax\\-cli step\\-extended \\-\\-example 2 \\-o Kette100.awl
.fi
.SH SEE ALSO
.BR brendax (1),
the German manual /usr/share/brendax/Brendax_de.pdf
")
file(WRITE "${OUT}" "${page}")
