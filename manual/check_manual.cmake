# Checks the rendered manual: a real PDF of several pages with a bookmark for
# every chapter and section, whose text names every generator and tool by its
# menu caption and documents every exit status.
# Without pdftotext the chapters' Markdown stands in for the PDF's text.
#   cmake -DPDF=... -DCHAPTERS=docs/manual [-DPDFTOTEXT=pdftotext] -P check_manual.cmake

set(captions
  "Symbolgenerator" "DB" "Melde- DB/ UDT" "Soll- Ist- DB" "DB- Abbild von Datei"
  "AWL-Schrittkette-Simple" "AWL-Schrittkette-Extended" "Adressrechner" "Pointer Tool"
  "Hilfe (Brendax_de.pdf)" "brendax-cli" "BRENDAX_SETTINGS" "Expertenmodus" "Vorlage" "Inhalt")
set(min_pages 12)

if(NOT EXISTS "${PDF}")
  message(FATAL_ERROR "the manual ${PDF} was not rendered")
endif()
file(READ "${PDF}" head LIMIT 5 HEX)
if(NOT head STREQUAL "255044462d")  # "%PDF-"
  message(FATAL_ERROR "${PDF} is not a PDF file")
endif()
file(STRINGS "${PDF}" page_objects REGEX "^/Type /Page$")
list(LENGTH page_objects pages)
if(pages LESS min_pages)
  message(FATAL_ERROR "the manual has ${pages} pages, expected at least ${min_pages}")
endif()

# Bookmarks: one for every chapter and section heading of the chapters.
file(GLOB chapter_files "${CHAPTERS}/*.md")
set(heading_count 0)
foreach(chapter IN LISTS chapter_files)
  file(READ "${chapter}" content)
  string(REGEX MATCHALL "(^|\n)##? [^\n]*" found "${content}")
  list(LENGTH found count)
  math(EXPR heading_count "${heading_count} + ${count}")
endforeach()
file(STRINGS "${PDF}" bookmarks REGEX "^/Title <FEFF")
list(LENGTH bookmarks bookmark_count)
file(STRINGS "${PDF}" outline REGEX "^/Type /Outlines$")
if(NOT outline OR NOT bookmark_count EQUAL heading_count)
  message(FATAL_ERROR "the manual has ${bookmark_count} bookmarks for ${heading_count} chapters and sections")
endif()

if(PDFTOTEXT)
  execute_process(COMMAND ${PDFTOTEXT} -enc UTF-8 "${PDF}" - OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "pdftotext failed on ${PDF}")
  endif()
  set(source "the PDF text")
else()
  file(GLOB chapters "${CHAPTERS}/*.md")
  set(text "")
  foreach(chapter IN LISTS chapters)
    file(READ "${chapter}" content)
    string(APPEND text "${content}")
  endforeach()
  set(source "the Markdown chapters")
endif()
# Line breaks and runs of blanks do not count.
string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")

set(missing "")
foreach(caption IN LISTS captions)
  string(FIND "${text}" "${caption}" at)
  if(at EQUAL -1)
    list(APPEND missing "${caption}")
  endif()
endforeach()
# Every exit status of the command line is explained.
foreach(status 0 1 2 3)
  if(NOT text MATCHES "\\| ${status} \\||(^| )${status} (erzeugt|Eingabe abgelehnt|falscher Aufruf|Schreibfehler)")
    list(APPEND missing "exit status ${status}")
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "${source} lack: ${missing}")
endif()
message(STATUS "manual: ${pages} pages, every caption found in ${source}")
