# Writes the C++ snippets of one section of the README into a header, each
# as the body of a member function `snippet<N>()` (N from 1, in README order)
# of a struct the including test defines, with #line directives pointing
# back into the README. The test compiles and runs exactly what the README
# shows: a snippet that no longer builds fails the build, and one added or
# removed no longer matches the functions the test declares and calls. A
# snippet that is a whole program (it begins with an #include) is left out:
# the install tests build it against the installed library instead.
#
# cmake -DREADME=<README.md> -DSECTION=<heading> -DSTRUCT=<name> -DOUTPUT=<header> -P ReadmeSnippets.cmake
#
# The text is handled as one string throughout: C++ is full of semicolons,
# which CMake lists would split on.

cmake_minimum_required(VERSION 3.25)

file(READ "${README}" text)
string(FIND "${text}" "\n${SECTION}\n" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${README}: no heading '${SECTION}'")
endif()
math(EXPR start "${start} + 1")
string(SUBSTRING "${text}" ${start} -1 section)
string(SUBSTRING "${text}" 0 ${start} before)
# The section ends at the next heading of its level or above.
string(REGEX MATCH "^#+ " level "${SECTION}")
string(LENGTH "${level}" depth)
math(EXPR depth "${depth} - 1")
set(end -1)
foreach(d RANGE 1 ${depth})
  string(REPEAT "#" ${d} hashes)
  string(FIND "${section}" "\n${hashes} " found)
  if(NOT found EQUAL -1 AND (end EQUAL -1 OR found LESS end))
    set(end ${found})
  endif()
endforeach()
if(NOT end EQUAL -1)
  string(SUBSTRING "${section}" 0 ${end} section)
endif()

# The README line the section starts on (1-based).
string(REGEX MATCHALL "\n" newlines "${before}")
list(LENGTH newlines line)
math(EXPR line "${line} + 1")

set(out "// Generated from ${README} by cmake/ReadmeSnippets.cmake: the C++ snippets\n")
string(APPEND out "// of its section \"${SECTION}\". Do not edit; edit the README.\n\n")
set(count 0)
set(open "```cpp\n")
set(close "\n```")
while(TRUE)
  string(FIND "${section}" "${open}" at)
  if(at EQUAL -1)
    break()
  endif()
  string(LENGTH "${open}" skip)
  math(EXPR bodyStart "${at} + ${skip}")
  string(SUBSTRING "${section}" 0 ${bodyStart} head)
  string(SUBSTRING "${section}" ${bodyStart} -1 rest)
  string(FIND "${rest}" "${close}" stop)
  if(stop EQUAL -1)
    message(FATAL_ERROR "${README}: a C++ snippet of '${SECTION}' is not closed")
  endif()
  string(SUBSTRING "${rest}" 0 ${stop} body)
  string(REGEX MATCH "^#include" program "${body}")
  string(REGEX MATCHALL "\n" newlines "${head}")
  list(LENGTH newlines headLines)
  math(EXPR bodyLine "${line} + ${headLines}")
  if(NOT program)
    math(EXPR count "${count} + 1")
    string(APPEND out "void ${STRUCT}::snippet${count}()\n{\n#line ${bodyLine} \"${README}\"\n${body}\n}\n\n")
  endif()
  # Go on after the closing fence.
  math(EXPR consumed "${stop} + 4")
  string(SUBSTRING "${rest}" ${consumed} -1 section)
  string(REGEX MATCHALL "\n" newlines "${head}${body}\n```")
  list(LENGTH newlines used)
  math(EXPR line "${line} + ${used}")
endwhile()
if(count EQUAL 0)
  message(FATAL_ERROR "${README}: no C++ snippet in '${SECTION}'")
endif()

file(WRITE "${OUTPUT}" "${out}")
